#include "platform/map/LayerFile.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/JsonFile.h"
#include "platform/map/Layer.h"
#include "platform/map/LayerJson.h"

using nlohmann::json;

namespace platform {

namespace {
const char* const Format = "tessaly-layer-file";
const char* const What = "layer file";
}  // namespace

std::shared_ptr<Layer> LoadLayerFile(const std::string& path) {
    const json file = jsonfile::Read(path, Format, What);
    try {
        return layerjson::ToLayer(file.at("layer"), layerjson::FolderOf(path));
    } catch (const json::exception& error) {
        throw ComError(E_FAIL, What, "The layer file '" + path + "' is damaged: " + error.what());
    }
}

void SaveLayerFile(const Layer& layer, const std::string& path) {
    jsonfile::Write(path, {{"format", Format}, {"version", 1}, {"layer", layerjson::FromLayer(layer, layerjson::FolderOf(path))}},
                    What);
}

}  // namespace platform
