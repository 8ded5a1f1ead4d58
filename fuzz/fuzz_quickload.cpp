// QuickLoad.txt: reading, then the delete rewrite of every other entry; with
// nothing marked the file must stay byte for byte.
#include <cstdlib>

#include "FuzzSupport.h"
#include "platform/com/ComError.h"
#include "src/quickload_media/QuickLoadEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzsupport::WriteInput("QuickLoad.txt", data, size);
    try {
        const auto listed = tessaly::ReadQuickLoadFile(path);
        const std::string before = fuzzsupport::ReadAll(path);
        tessaly::RemoveQuickLoadEntries(path, listed, std::vector<bool>(listed.size(), false));
        if (fuzzsupport::ReadAll(path) != before) std::abort();  // nothing marked, yet the file changed
        std::vector<bool> marked(listed.size());
        for (std::size_t i = 0; i < marked.size(); i += 2) marked[i] = true;
        const auto removed = tessaly::RemoveQuickLoadEntries(path, listed, marked);
        if (tessaly::ReadQuickLoadFile(path).size() != listed.size() - removed.size()) std::abort();
    } catch (const platform::ComError&) {
    }
    return 0;
}
