#include "src/core/aml_func_mod.h"

#include "src/core/ErrorHandling.h"
#include "src/core/LocaleText.h"

#include "platform/os/Os.h"
#include "platform/registry/Registry.h"

#include <algorithm>

namespace tessaly {
namespace {

constexpr const char* kModule = "aml_func_mod";

std::string TrimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// The splitting behind ParseString.
void Split(const std::string& s, std::vector<std::string>& parts, std::string_view delim) {
    const char d = delim.empty() ? '\0' : delim.front();
    const bool splits = !delim.empty();
    // Nothing but delimiters and blanks: the parts stay as they were.
    const bool onlyDelimiters = delim.size() == 1 ? s.find_first_not_of(std::string{d, ' '}) == std::string::npos
                                                  : TrimBlanks(Subst(s, std::string(delim))).empty();
    if (onlyDelimiters) return;

    parts.assign(1, std::string());
    std::size_t k = 0;
    // w is s with closed quotes blanked; each part is taken from `start`, just
    // past the last split, so every character is looked at a bounded number of times.
    std::string w = s;
    std::size_t start = 0;
    std::size_t quoteAt = std::string::npos;
    // The last character never opens a part of its own: a trailing delimiter is dropped.
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] == '\'') {
            if (quoteAt == std::string::npos) {
                quoteAt = i;
            } else {
                w[quoteAt] = ' ';
                w[i] = ' ';
                quoteAt = std::string::npos;
            }
        } else if (splits && quoteAt == std::string::npos && s[i] == d) {
            std::string part = TrimBlanks(w.substr(start, i + 1 - start));
            if (!part.empty()) {
                parts[k] = std::move(part);
                start = i + 1;
                parts.emplace_back();
                ++k;
            }
        }
    }
    parts[k] = TrimBlanks(w.substr(start));
    for (std::string& part : parts) {
        if (splits && !part.empty() && part.back() == d) {
            part.back() = ' ';
            part = TrimBlanks(part);
        }
    }
}

// The components of a path between its separators, exactly as they stand:
// blanks and apostrophes are name characters here ("Willow Creek /" is not
// "Willow Creek/"). One trailing separator closes the last component rather
// than opening an empty one. A path of nothing but separators has no
// component, which is the subscript error.
std::vector<std::string> PathParts(const std::string& path, std::string_view sep) {
    if (sep.empty()) return {path};
    std::string_view rest(path);
    if (rest.ends_with(sep)) rest.remove_suffix(sep.size());
    std::vector<std::string> parts;
    bool named = false;
    for (;;) {
        const auto at = rest.find(sep);
        parts.emplace_back(rest.substr(0, at));
        named = named || !parts.back().empty();
        if (at == std::string_view::npos) break;
        rest.remove_prefix(at + sep.size());
    }
    if (!named) throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
    return parts;
}

}  // namespace

void ParseString(const std::string& s, std::vector<std::string>& parts, std::string_view delim) {
    try {
        Split(s, parts, delim);
    } catch (...) {
        // Splitting never reports; callers see whatever parts were made.
    }
}

std::string ReturnDir(const std::string& path, std::string_view sep) {
    return Guarded(Procedure{"ReturnDir", kModule}, std::string{}, [&] {
        const std::vector<std::string> parts = PathParts(path, sep);
        if (parts.size() == 1) return parts.front() + std::string(sep);
        std::string dir;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            dir += parts[i];
            dir += sep;
        }
        return dir;
    });
}

std::string ReturnFilename(const std::string& path, std::string_view sep) {
    return Guarded(Procedure{"ReturnFilename", kModule}, std::string{},
                   [&] { return PathParts(path, sep).back(); });
}

std::string GetFullFileString(const std::string& path) {
    return Guarded(Procedure{"GetFullFileString", kModule}, std::string{}, [&] {
        constexpr std::uint32_t kBufferLength = 260;
        char buffer[kBufferLength] = {};
        const std::uint32_t length = platform::GetLongPathName(path, buffer, kBufferLength);
        // A length that does not fit is the size needed, with nothing written.
        if (length == 0 || length >= kBufferLength) return path;
        return std::string(buffer, length);
    });
}

bool ExistFileDir(const std::string& path) {
    try {
        return platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES;
    } catch (...) {
        return false;
    }
}

std::string MakeUniqueFilename(const std::string& name, std::string_view sep) {
    return Guarded(Procedure{"MakeUniqueFilename", kModule}, std::string{}, [&] {
        if (!ExistFileDir(name)) return name;
        std::string base = name;
        std::string extension;
        const auto dot = name.rfind('.');
        const auto lastSep = sep.empty() ? std::string::npos : name.rfind(sep);
        const bool dotInLastFive =
            dot != std::string::npos && localetext::DecodeUtf8(std::string_view(name).substr(dot)).size() <= 5;
        const bool dotInLastPart = lastSep == std::string::npos || dot > lastSep;
        if (dotInLastFive && dotInLastPart) {
            base = name.substr(0, dot);
            extension = name.substr(dot);
        }
        for (std::int64_t n = 2;; ++n) {
            std::string candidate = base + "_" + std::to_string(n) + extension;
            if (!ExistFileDir(candidate)) return candidate;
        }
    });
}

std::string BasicTrimAvenue(std::string& s, std::string_view leftSet, std::string_view rightSet) {
    return Guarded(Procedure{"BasicTrimAvenue", kModule}, std::string{}, [&] {
        const std::wstring left = localetext::Folded(leftSet);
        const std::wstring right = localetext::Folded(rightSet);
        const auto chars = localetext::DecodeUtf8(s);
        const auto inSet = [](const std::wstring& set, wchar_t c) {
            return set.find(localetext::FoldCase(c)) != std::wstring::npos;
        };
        std::size_t end = chars.size();
        while (end > 0 && inSet(right, chars[end - 1].code)) --end;
        std::size_t begin = 0;
        while (begin < end && inSet(left, chars[begin].code)) ++begin;
        if (begin == end) {
            s.clear();
        } else {
            const std::size_t from = chars[begin].offset;
            const std::size_t to = chars[end - 1].offset + chars[end - 1].length;
            s = s.substr(from, to - from);
        }
        return s;
    });
}

std::string InsertCommas(const platform::Variant& value) {
    return Guarded(Procedure{"InsertCommas", kModule}, std::string{}, [&] {
        if (value.IsNull()) throw platform::RuntimeError(platform::vberr::InvalidUseOfNull);
        const std::string text = value.ToText();
        const auto point = text.find('.');
        std::string integer = text.substr(0, point);
        std::string sign;
        if (!integer.empty() && (integer.front() == '-' || integer.front() == '+')) {
            sign = integer.substr(0, 1);
            integer.erase(0, 1);
        }
        if (integer.size() > 3) {
            std::string grouped;
            std::size_t end = integer.size();
            while (end > 3) {
                grouped = integer.substr(end - 3, 3) + "," + grouped;
                end -= 3;
            }
            grouped = integer.substr(0, end) + "," + grouped;
            const auto first = grouped.find_first_not_of(',');
            const auto last = grouped.find_last_not_of(',');
            integer = first == std::string::npos ? std::string() : grouped.substr(first, last - first + 1);
        }
        std::string result = sign + integer;
        if (point != std::string::npos) result += text.substr(point);
        return result;
    });
}

std::string ReturnArcGISGeneralDir(std::int32_t which, std::string_view sep) {
    struct Row {
        platform::HKEY root;
        const char* key;
        const char* value;
        const char* failure;
    };
    static const Row rows[] = {
        {platform::HKEY_CURRENT_USER, "Software\\ESRI\\ArcCatalog\\Settings", "LastBrowseLocation",
         "Unable to determine ArcGIS Last Browsed To location!"},
        {platform::HKEY_CURRENT_USER, "Software\\ESRI\\ArcCatalog\\Settings", "LastExportToLocation",
         "Unable to determine ArcGIS Last Exported To location!"},
        {platform::HKEY_CURRENT_USER, "Software\\ESRI\\ArcCatalog\\Settings", "LastLocation",
         "Unable to determine ArcGIS Last location!"},
        {platform::HKEY_CURRENT_USER, "Software\\ESRI\\ArcCatalog\\Settings", "LastSaveToLocation",
         "Unable to determine ArcGIS Last Saved To location!"},
        {platform::HKEY_LOCAL_MACHINE, "Software\\ESRI\\ArcGIS", "InstallDir",
         "Unable to determine ArcGIS Install location!"},
    };
    if (which < 0 || which > 4) return std::string();
    const Row& row = rows[which];
    std::string result = row.failure;
    Guarded(Procedure{"ReturnArcGISGeneralDir", kModule}, [&] {
        platform::HKEY key = nullptr;
        if (platform::RegOpenKeyEx(row.root, row.key, platform::KEY_READ, &key) != platform::ERROR_SUCCESS) return;
        struct Closer {
            platform::HKEY key;
            ~Closer() { platform::RegCloseKey(key); }
        } closer{key};
        std::uint32_t size = 0;
        if (platform::RegQueryValueEx(key, row.value, nullptr, nullptr, &size) != platform::ERROR_SUCCESS ||
            size == 0)
            return;
        std::string buffer(size, '\0');
        if (platform::RegQueryValueEx(key, row.value, nullptr, buffer.data(), &size) != platform::ERROR_SUCCESS)
            return;
        std::string folder = buffer.substr(0, buffer.size() - 1);
        if (!sep.empty() && folder.ends_with(sep)) folder.erase(folder.size() - sep.size());
        result = folder;
    });
    return result;
}

bool FieldIsNumeric(const platform::Field& field) {
    return Guarded(Procedure{"FieldIsNumeric", kModule}, false, [&] {
        const int type = field.Type();
        return type >= platform::fieldtype::SmallInteger && type <= platform::fieldtype::Double;
    });
}

bool FieldIsNumeric(const std::shared_ptr<const platform::Field>& field) {
    return Guarded(Procedure{"FieldIsNumeric", kModule}, false, [&] {
        if (!field) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        return FieldIsNumeric(*field);
    });
}

std::string TempPathLocation() {
    return Guarded(Procedure{"TempPathLocation", kModule}, std::string{}, [] {
        constexpr std::uint32_t kBufferLength = 260;
        char buffer[kBufferLength] = {};
        const std::uint32_t length = platform::GetTempPath(kBufferLength, buffer);
        if (length == 0) return std::string();
        // Too long a folder is not written at all: there is no text to cut.
        if (length >= kBufferLength) throw platform::RuntimeError(platform::vberr::InvalidCall);
        return std::string(buffer, length);
    });
}

std::string GetTheUserName() {
    return Guarded(Procedure{"GetTheUserName", kModule}, std::string{}, [] {
        constexpr std::uint32_t kBufferLength = 255;
        char buffer[kBufferLength] = {};
        std::uint32_t size = kBufferLength;
        platform::GetUserName(buffer, &size);
        // A name too long for the buffer leaves it empty; what is read then is NULs only.
        std::string name(buffer, size < 1 ? 0 : std::min(size, kBufferLength));
        return BasicTrimAvenue(name, "", std::string_view("\0", 1));
    });
}

std::string Before(const std::string& s, const std::string& find) {
    return Guarded(Procedure{"Before", kModule}, std::string{}, [&] {
        const auto at = s.find(find);
        return at == std::string::npos ? std::string() : s.substr(0, at);
    });
}

std::string After(const std::string& s, const std::string& find) {
    return Guarded(Procedure{"After", kModule}, std::string{}, [&] {
        const auto at = s.find(find);
        return at == std::string::npos ? std::string() : s.substr(at + find.size());
    });
}

std::string Subst(const std::string& s, const std::string& find) {
    return Guarded(Procedure{"Subst", kModule}, std::string{}, [&] {
        std::string copy = s;
        if (find.empty()) return copy;
        // Each round deletes the first occurrence; the search goes on from where the
        // last one was found, so text joined by a deletion in front of it stays.
        std::size_t from = 0;
        for (;;) {
            const auto at = copy.find(find, from);
            if (at == std::string::npos) break;
            copy = Before(copy, find) + After(copy, find);
            from = at;
        }
        return copy;
    });
}

std::string Subst(const std::string& s, const std::string& find, const std::string& repl) {
    return Guarded(Procedure{"Subst", kModule}, std::string{}, [&] {
        std::string copy = s;
        if (find.empty() || repl.empty()) return copy;
        std::size_t from = 0;
        for (;;) {
            const auto at = copy.find(find, from);
            if (at == std::string::npos) break;
            const std::size_t count = std::min(repl.size(), copy.size() - at);
            copy.replace(at, count, repl, 0, count);
            from = at + count;
        }
        return copy;
    });
}

}  // namespace tessaly
