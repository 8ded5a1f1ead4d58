#pragma once
#include <string>

// The message boxes of the QuickLoad commands, exactly as the user sees them.
// The query builder's "QuickLoad Query" shows the first one too.
namespace tessaly::qlmsg {

// No QuickLoad.txt beside the document (information icon).
inline constexpr const char* kNoFileTitle = "QuickLoad Editor Cancelled:";
inline constexpr const char* kNoFileText =
    "Unable to find Tessaly 'QuickLoad.txt' file.  File should be located in the same directory "
    "as the ArcGIS MxD file.\r\n\r\nBailing out...";

// The layer file of a layer entry is gone (critical icon, no title).
inline std::string NoLayerFile(const std::string& fullPath) {
    return "No layer file was found at the following location: \r\n\r\n --> " + fullPath + "\r\n\r\nBailing out...";
}

// The layer file's layer is not valid (critical icon, no title).
inline std::string InvalidLayer(const std::string& name) {
    return "The layer named '" + name +
           "' is invalid. Possibly the data referenced by the layer file is missing, or the file itself "
           "is corrupt.\r\n\r\nBailing out...";
}

// Asked before the first entry creates the file (Yes and No).
inline constexpr const char* kCreateFileTitle = "Need to create new QuickLoad.txt file:";
inline std::string CreateFile(const std::string& fileName) {
    return "No text file available at " + fileName + ".  Do you wish to create the file?";
}

// A bookmark or query was saved (OK only, no title).
inline std::string Saved(const std::string& name) { return "'" + name + "' has been saved to the QuickLoad.txt file."; }

// The layer browser was cancelled (information icon).
inline constexpr const char* kAddLayerCancelledTitle = "QuickLoad Cancelled:";
inline constexpr const char* kAddLayerCancelledText = "No Layer references added to QuickLoad.txt file.  Bailing out...";

// No file to delete from (information icon).
inline constexpr const char* kDeleteNoFileText = "Unable to find Tessaly 'QuickLoad.txt' file.  Bailing out...";

}  // namespace tessaly::qlmsg
