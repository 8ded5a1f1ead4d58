// The layer file reader, and the writer on every layer it accepts.
#include "FuzzGdal.h"
#include "FuzzSupport.h"
#include "platform/com/ComError.h"
#include "platform/map/Layer.h"
#include "platform/map/LayerFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::QuietGdal();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzsupport::WriteInput("input.tlyr", data, size);
    std::shared_ptr<platform::Layer> layer;
    try {
        layer = platform::LoadLayerFile(path);
    } catch (const platform::ComError&) {
        return 0;
    }
    const std::string saved = fuzzsupport::Folder() + "/saved.tlyr";
    try {
        platform::SaveLayerFile(*layer, saved);
    } catch (const platform::ComError&) {
        return 0;
    }
    platform::LoadLayerFile(saved);
    return 0;
}
