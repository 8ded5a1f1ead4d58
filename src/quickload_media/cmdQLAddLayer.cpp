#include "src/quickload_media/cmdQLAddLayer.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/com/ComError.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/CatalogDialog.h"
#include "platform/map/CatalogObjects.h"
#include "platform/map/Layer.h"
#include "src/core/aml_func_mod.h"
#include "src/quickload_media/DocumentFolder.h"
#include "src/quickload_media/QuickLoadEntry.h"
#include "src/quickload_media/QuickLoadFileQuestion.h"
#include "src/quickload_media/QuickLoadMessages.h"
#include "src/quickload_media/QuickLoadReport.h"

namespace tessaly {
namespace {

// The most layers one run accepts.
constexpr std::size_t kMaxAccepted = 1001;

const std::string kCrLf = "\r\n";

std::string NotInsideText(const std::string& name, const std::string& folder, const std::string& full) {
    return "--> Layer '" + name + "' was not located within the current project directory. " +
           "Layer reference locations are stored relative to the location of the MxD file, so that the tool can "
           "find the " +
           "files based only on the location of the current project file." + kCrLf +
           "*** The current project is located in the following " + "directory:" + kCrLf + folder + kCrLf +
           "*** Layer '" + name + "'is located at: " + kCrLf + full + kCrLf + kCrLf;
}

std::string InvalidText(const std::string& name) {
    return "--> Layer '" + name + "' is invalid.  This most likely means that the actual data " +
           "is not available, as might happen if only the 'Layer' file was copied and none of the referenced data "
           "files." +
           kCrLf + kCrLf;
}

// QuickLoad.txt stores one path per line: a path holding a line break would
// be read back as another path, and the lines after it as other entries.
std::string LineBreakText(const std::string& name, const std::string& full) {
    return "--> Layer '" + name + "' cannot be stored: the path of its layer file holds a line break, " +
           "which the QuickLoad.txt file cannot keep.  Rename the file or its folder and add it again." + kCrLf +
           "*** Layer '" + name + "'is located at: " + kCrLf + full + kCrLf + kCrLf;
}

}  // namespace

void cmdQLAddLayer::Click() {
    if (!m_pApp) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    const std::string folder = DocumentFolder(m_pApp.get(), info::cmdQLAddLayer.module);
    const std::string file = folder + kQuickLoadFileName;
    const bool existed = ExistFileDir(file);

    auto dialog = std::make_shared<platform::CatalogDialog>();
    dialog->AllowMultiSelect(true);
    dialog->StartingLocation(file);
    dialog->Title("Please select the Layer references to add to 'QuickLoad.txt' file:");
    dialog->ButtonCaption("Add to QL...");
    dialog->ObjectFilter(std::make_shared<platform::LayerFileFilter>());

    const std::string rule(54, '-');
    std::string problems = "There were problems with the following layers.  They have not been added to the "
                           "'QuickLoad.txt' file." + kCrLf + rule + kCrLf;
    std::string added = "The following layers have been added to the 'QuickLoad.txt' file:" + kCrLf + rule + kCrLf;
    bool anyProblem = false;
    bool anyAdded = false;
    std::vector<QuickLoadEntry> accepted;

    std::shared_ptr<platform::EnumCatalogObject> picked;
    if (!dialog->DoModalOpen(m_pApp->hWnd(), picked)) {
        platform::MsgBox(qlmsg::kAddLayerCancelledText, platform::vbInformation, qlmsg::kAddLayerCancelledTitle);
        return;
    }
    while (const auto object = picked->Next()) {
        const auto catalogLayer = std::dynamic_pointer_cast<platform::CatalogLayer>(object);
        if (!catalogLayer) throw platform::RuntimeError(platform::vberr::TypeMismatch);
        const auto layer = catalogLayer->Layer();
        const std::string name = layer->Name();
        // Compared in long form, as the folder is; letter case counts, as it
        // does in this platform's file names.
        const std::string full = GetFullFileString(object->FullName());
        const bool valid = layer->Valid();
        const bool inside = full.size() > folder.size() && full.starts_with(folder);
        const bool oneLine = full.find_first_of("\r\n") == std::string::npos;

        if (!inside || !valid || !oneLine) {
            anyProblem = true;
            if (!inside) problems += NotInsideText(name, folder, full);
            if (!valid) problems += InvalidText(name);
            if (!oneLine) problems += LineBreakText(name, full);
        } else {
            added += "--> " + name + kCrLf;
            anyAdded = true;
            if (accepted.size() == kMaxAccepted) throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
            accepted.push_back(LayerEntry(name, full.substr(folder.size())));
        }
    }

    if (!accepted.empty()) {
        if (!existed && !MayWriteQuickLoadFile(file)) return;
        AppendQuickLoadEntries(file, accepted);
    }
    if (anyProblem) ShowQuickLoadReport("Error Report:", problems);
    if (anyAdded) ShowQuickLoadReport("QuickLoad.txt Edit Report:", added);
}

}  // namespace tessaly
