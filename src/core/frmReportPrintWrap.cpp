#include "src/core/frmReportPrintWrap.h"

#include "src/core/LocaleText.h"

#include <vector>

namespace tessaly {
namespace {

constexpr const char* kCrLf = "\r\n";

void AppendWrappedLine(std::string line, std::size_t width, std::string& out) {
    for (;;) {
        const std::vector<localetext::Char> chars = localetext::DecodeUtf8(line);
        if (chars.size() <= width || width == 0) break;
        // After the `width`-th character unless a blank or dash comes earlier.
        std::size_t cut = chars[width].offset;
        for (std::size_t n = width; n-- > 0;) {
            if (chars[n].code == L' ' || chars[n].code == L'-') {
                cut = chars[n].offset + 1;
                break;
            }
        }
        out += line.substr(0, cut);
        out += kCrLf;
        line.erase(0, cut);
    }
    out += line;
}

}  // namespace

std::string WrapForPrinting(const std::string& text, std::size_t width) {
    std::string out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find(kCrLf, from);
        AppendWrappedLine(text.substr(from, end == std::string::npos ? std::string::npos : end - from), width, out);
        if (end == std::string::npos) break;
        out += kCrLf;
        from = end + 2;
    }
    return out;
}

}  // namespace tessaly
