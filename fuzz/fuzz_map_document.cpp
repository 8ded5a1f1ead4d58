// The map document reader, and the writer on every document it accepts: what
// is written must read back.
#include "FuzzGdal.h"
#include "FuzzSupport.h"
#include "platform/com/ComError.h"
#include "platform/map/DocumentFile.h"
#include "platform/map/MapDocument.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::QuietGdal();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzsupport::WriteInput("input.tmd", data, size);
    std::shared_ptr<platform::MapDocument> document;
    try {
        document = platform::LoadDocument(path);
    } catch (const platform::ComError&) {
        return 0;
    }
    const std::string saved = fuzzsupport::Folder() + "/saved.tmd";
    try {
        platform::SaveDocument(*document, saved);
    } catch (const platform::ComError&) {
        return 0;  // a text that is not UTF-8 cannot be saved, and says so
    }
    platform::LoadDocument(saved);
    return 0;
}
