#include "src/quickload_media/MediaListEntry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "platform/com/ComError.h"
#include "src/quickload_media/NumberText.h"

namespace tessaly {
namespace {

std::string TrimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string ReplaceAll(std::string s, const std::string& find, const std::string& with) {
    for (auto at = s.find(find); at != std::string::npos; at = s.find(find, at + with.size()))
        s.replace(at, find.size(), with);
    return s;
}

// A code as a whole number, rounded half to even as the runtime's conversion does.
std::int32_t KindCode(const std::string& text) {
    const double value = std::nearbyint(TextToNumber(text));
    if (!(value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()))
        throw platform::RuntimeError(platform::vberr::Overflow);
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<MediaKind> MediaKindOfCode(std::int32_t code) {
    if (code < 0 || code >= kMediaKindCount) return std::nullopt;
    return static_cast<MediaKind>(code);
}

const char* TypeTextInAll(MediaKind kind) {
    switch (kind) {
    case MediaKind::GoogleEarth: return "Google Earth File";
    case MediaKind::Image: return "Image";
    case MediaKind::Movie: return "Movie";
    case MediaKind::Website: return "Website";
    case MediaKind::Excel: return "Excel File";
    case MediaKind::Word: return "Word File";
    case MediaKind::Pdf: return "PDF File";
    case MediaKind::PowerPoint: return "PowerPoint File";
    }
    return "";
}

const char* TypeTextInOwnList(MediaKind kind) {
    switch (kind) {
    case MediaKind::GoogleEarth: return "Text File";
    case MediaKind::Image: return "Image File";
    case MediaKind::PowerPoint: return "PowerPoint Presentation";
    default: return TypeTextInAll(kind);
    }
}

std::optional<MediaListEntry> ParseMediaLine(const std::string& line) {
    const std::string trimmed = TrimBlanks(line);
    const auto colon = trimmed.find(':');
    if (colon == std::string::npos || trimmed.find(',') == std::string::npos) return std::nullopt;
    const std::string rest = trimmed.substr(colon + 1);
    const auto comma = rest.find(',');
    if (comma == std::string::npos) throw platform::RuntimeError(platform::vberr::InvalidCall);
    MediaListEntry entry;
    entry.title = trimmed.substr(0, colon);
    entry.path = ReplaceAll(rest.substr(0, comma), "\xC3\x9F", ":");
    entry.kindCode = KindCode(rest.substr(comma + 1));
    return entry;
}

std::string MediaFullPath(const MediaListEntry& entry, const std::string& baseFolder) {
    if (entry.kindCode == static_cast<std::int32_t>(MediaKind::Website) && !entry.path.ends_with(".url"))
        return entry.path;
    std::string relative = entry.path;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return baseFolder + relative;
}

std::string WebAddress(const std::string& path) {
    // A scheme is a letter, then letters, digits, "+", "-" or ".", then ":";
    // one letter alone would be a drive.
    const auto colon = path.find(':');
    const auto isSchemeChar = [](unsigned char c) { return std::isalnum(c) || c == '+' || c == '-' || c == '.'; };
    const bool hasScheme = colon != std::string::npos && colon >= 2 &&
                           std::isalpha(static_cast<unsigned char>(path[0])) &&
                           std::all_of(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(colon), isSchemeChar);
    return hasScheme ? path : "http://" + path;
}

}  // namespace tessaly
