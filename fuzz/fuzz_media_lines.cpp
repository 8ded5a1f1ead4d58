// media_list.txt lines, one per input line, and the paths they give.
#include "FuzzSupport.h"
#include "platform/com/ComError.h"
#include "src/quickload_media/MediaListEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        try {
            if (const auto entry = tessaly::ParseMediaLine(text.substr(begin, end - begin))) {
                tessaly::MediaKindOfCode(entry->kindCode);
                tessaly::MediaFullPath(*entry, "/lesson/");
            }
        } catch (const platform::ComError&) {
        }
        begin = end + 1;
    }
    return 0;
}
