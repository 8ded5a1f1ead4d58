// The text files' decoding: every line read is valid UTF-8 and lies within
// the file's bytes.
#include <cstdlib>

#include "FuzzSupport.h"
#include "platform/com/ComError.h"
#include "src/quickload_media/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzsupport::WriteInput("media_list.txt", data, size);
    try {
        const auto content = tessaly::ReadTextFile(path);
        for (const auto& line : content.lines) {
            if (!fuzzsupport::IsUtf8(line.text)) std::abort();
            if (line.begin > line.end || line.end > content.bytes.size()) std::abort();
        }
    } catch (const platform::ComError&) {
    }
    return 0;
}
