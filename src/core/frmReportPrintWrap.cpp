#include "src/core/frmReportPrintWrap.h"

#include "src/core/LocaleText.h"

#include <string_view>
#include <vector>

namespace tessaly {
namespace {

constexpr const char* kCrLf = "\r\n";

// The line is decoded once and cut where the characters say, so a long line
// costs no more than its length.
void AppendWrappedLine(std::string_view line, std::size_t width, std::string& out) {
    const std::vector<localetext::Char> chars = localetext::DecodeUtf8(line);
    std::size_t first = 0;  // the first character not yet written
    while (width != 0 && chars.size() - first > width) {
        // After the `width`-th character unless a blank or dash comes earlier.
        std::size_t cut = first + width;
        for (std::size_t n = first + width; n-- > first;) {
            if (chars[n].code == L' ' || chars[n].code == L'-') {
                cut = n + 1;
                break;
            }
        }
        out += line.substr(chars[first].offset, chars[cut].offset - chars[first].offset);
        out += kCrLf;
        first = cut;
    }
    if (first < chars.size()) out += line.substr(chars[first].offset);
}

}  // namespace

std::string WrapForPrinting(const std::string& text, std::size_t width) {
    std::string out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find(kCrLf, from);
        AppendWrappedLine(std::string_view(text).substr(from, end == std::string::npos ? std::string::npos : end - from),
                          width, out);
        if (end == std::string::npos) break;
        out += kCrLf;
        from = end + 2;
    }
    return out;
}

}  // namespace tessaly
