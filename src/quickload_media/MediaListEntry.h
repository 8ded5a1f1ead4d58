#pragma once
#include <cstdint>
#include <optional>
#include <string>

// media_list.txt: the media of one map document, one per line, as
//   title:path,kind
// A line is trimmed of blanks first; a line without ":" or without "," is
// skipped. The title is what comes before the first ":", the path what comes
// between it and the next ",", the kind code what follows that ",". A "ß" in
// the path stands for ":". Title and path keep their blanks.
namespace tessaly {

enum class MediaKind : std::int32_t {
    GoogleEarth = 0,
    Image = 1,
    Movie = 2,
    Website = 3,
    Excel = 4,
    Word = 5,
    Pdf = 6,
    PowerPoint = 7,
};
inline constexpr std::int32_t kMediaKindCount = 8;

// The kind of a code from 0 to 7; none for any other.
std::optional<MediaKind> MediaKindOfCode(std::int32_t code);
// How an entry of the kind is named in the All Media list ("Image")...
const char* TypeTextInAll(MediaKind kind);
// ...and when chosen in the kind's own list ("Image File").
const char* TypeTextInOwnList(MediaKind kind);

struct MediaListEntry {
    std::string title;
    std::string path;
    std::int32_t kindCode = 0;
};

// The entry of one line of the file, or none for a line that is skipped. A
// line whose only "," stands before its first ":" is the invalid-call error 5;
// a kind code that is not a number is the type mismatch 13.
std::optional<MediaListEntry> ParseMediaLine(const std::string& line);

// Where the entry's media is: a website's address as it stands (unless it
// names an Internet shortcut, ending in ".url"), else the path below the
// document folder `baseFolder` (ending in "/"), its "\" read as "/".
std::string MediaFullPath(const MediaListEntry& entry, const std::string& baseFolder);

// The address a website entry opens: as it stands when it names its scheme
// ("https:", "mailto:"), else as an http address ("www.usgs.gov" ->
// "http://www.usgs.gov"), which is what a browser makes of it too.
std::string WebAddress(const std::string& path);

}  // namespace tessaly
