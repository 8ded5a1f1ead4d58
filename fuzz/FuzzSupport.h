#pragma once
// Shared by the harnesses: a private folder for the files an input becomes.
// A harness lets nothing but platform::ComError (the expected failure) pass
// quietly; any other exception, a crash or a sanitizer report is a finding.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace fuzzsupport {

// A fresh folder under the temporary folder, made once per process.
inline const std::string& Folder() {
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tessaly-fuzz-XXXXXX";
        return std::string(mkdtemp(pattern.data()));
    }();
    return folder;
}

// Writes the input to `name` in Folder(); returns its path.
inline std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = Folder() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    return path;
}

// The file's bytes ("" when it cannot be read).
inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// True when `text` is valid UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
inline bool IsUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { length = 2; code = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { length = 3; code = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { length = 4; code = c & 0x07; }
        else return false;
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

}  // namespace fuzzsupport
