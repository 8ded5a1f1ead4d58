#include "src/core/LocaleText.h"

#include <clocale>
#include <cwchar>
#include <locale>
#include <stdexcept>

namespace tessaly::localetext {
namespace {

// The user's locale; where that is the plain "C" one, or names a locale the
// system lacks, C.UTF-8, so that case folding still knows every letter.
const std::locale& UserLocale() {
    static const std::locale locale = [] {
        std::locale user = std::locale::classic();
        try {
            user = std::locale("");
        } catch (const std::runtime_error&) {
        }
        if (user.name() != "C" && user.name() != "POSIX") return user;
        try {
            return std::locale("C.UTF-8");
        } catch (const std::runtime_error&) {
            return user;
        }
    }();
    return locale;
}

// The user locale's collation as a C locale handle, or none when its name
// cannot be made one (then the facet compares).
locale_t CollationLocale() {
    static const locale_t collation = [] {
        std::string name = UserLocale().name();
        // A mixed locale is named category by category.
        if (const auto at = name.find("LC_COLLATE="); at != std::string::npos) {
            const auto from = at + std::string("LC_COLLATE=").size();
            name = name.substr(from, name.find(';', from) - from);
        }
        return newlocale(LC_COLLATE_MASK, name.c_str(), locale_t{});
    }();
    return collation;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

namespace {

// Calls `each(offset, length, code)` for every character of the text, an
// invalid byte being a character of its own.
template <class Each>
void ForEachChar(std::string_view text, Each each) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xC2 && lead <= 0xF4) {
            length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            code = lead & (0x7F >> length);
            bool valid = i + length <= text.size();
            for (std::size_t k = 1; valid && k < length; ++k) {
                const auto next = static_cast<unsigned char>(text[i + k]);
                valid = IsContinuation(next);
                code = (code << 6) | (next & 0x3F);
            }
            // Overlong forms, surrogates and values past U+10FFFF are not characters.
            const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
            if (!valid || code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
                length = 1;
                code = lead;
            }
        }
        each(i, length, static_cast<wchar_t>(code));
        i += length;
    }
}

}  // namespace

std::vector<Char> DecodeUtf8(std::string_view text) {
    std::vector<Char> chars;
    chars.reserve(text.size());
    ForEachChar(text, [&](std::size_t offset, std::size_t length, wchar_t code) {
        chars.push_back({offset, length, code});
    });
    return chars;
}

wchar_t FoldCase(wchar_t c) {
    return std::use_facet<std::ctype<wchar_t>>(UserLocale()).tolower(c);
}

void AppendFolded(std::string_view text, std::wstring& out) {
    const std::size_t start = out.size();
    ForEachChar(text, [&](std::size_t, std::size_t, wchar_t code) { out.push_back(code); });
    std::use_facet<std::ctype<wchar_t>>(UserLocale()).tolower(out.data() + start, out.data() + out.size());
}

std::wstring Folded(std::string_view text) {
    std::wstring folded;
    folded.reserve(text.size());
    AppendFolded(text, folded);
    return folded;
}

void AppendPrimaryKey(const std::wstring& text, std::wstring& out) {
    const locale_t collation = CollationLocale();
    if (collation == locale_t{}) return;  // no key: every comparison goes to Collate
    const std::size_t start = out.size();
    // A key takes a few weights per character; a longer one is made again in room enough.
    std::size_t room = 6 * text.size() + 8;
    for (;;) {
        out.resize(start + room);
        const std::size_t needed = wcsxfrm_l(out.data() + start, text.c_str(), room, collation);
        if (needed < room) {
            out.resize(start + needed);
            break;
        }
        room = needed + 1;
    }
    // The levels are separated by the least weight, 1. Cutting at a 1 that is
    // not such a separator costs only a comparison by Collate.
    const std::size_t level = out.find(L'\1', start);
    if (level != std::wstring::npos) out.resize(level);
}

int Collate(const std::wstring& a, const std::wstring& b) {
    // The facet copies both texts on every call; texts without a NUL inside
    // go straight to the C library, which is what the facet calls too.
    if (CollationLocale() != locale_t{} && a.find(L'\0') == std::wstring::npos && b.find(L'\0') == std::wstring::npos)
        return wcscoll_l(a.c_str(), b.c_str(), CollationLocale());
    return std::use_facet<std::collate<wchar_t>>(UserLocale())
        .compare(a.data(), a.data() + a.size(), b.data(), b.data() + b.size());
}

}  // namespace tessaly::localetext
