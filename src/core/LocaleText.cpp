#include "src/core/LocaleText.h"

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

std::wstring Folded(std::string_view text) {
    // Sorts fold every text many times: decoded straight into the result.
    std::wstring folded;
    folded.reserve(text.size());
    ForEachChar(text, [&](std::size_t, std::size_t, wchar_t code) { folded.push_back(code); });
    std::use_facet<std::ctype<wchar_t>>(UserLocale()).tolower(folded.data(), folded.data() + folded.size());
    return folded;
}

int Collate(const std::wstring& a, const std::wstring& b) {
    return std::use_facet<std::collate<wchar_t>>(UserLocale())
        .compare(a.data(), a.data() + a.size(), b.data(), b.data() + b.size());
}

}  // namespace tessaly::localetext
