#include "src/core/frmReportPrintWrap.h"

#include <vector>

namespace tessaly {
namespace {

constexpr const char* kCrLf = "\r\n";

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offsets where the characters of `line` start.
std::vector<std::size_t> CharacterStarts(const std::string& line) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!IsContinuation(line[i])) starts.push_back(i);
    }
    return starts;
}

void AppendWrappedLine(std::string line, std::size_t width, std::string& out) {
    for (;;) {
        const std::vector<std::size_t> starts = CharacterStarts(line);
        if (starts.size() <= width || width == 0) break;
        // After the `width`-th character unless a blank or dash comes earlier.
        std::size_t cut = starts[width];
        for (std::size_t n = width; n-- > 0;) {
            const char c = line[starts[n]];
            if (c == ' ' || c == '-') {
                cut = starts[n] + 1;
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
