#include "platform/map/LayerFile.h"

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
    std::shared_ptr<Layer> layer;
    jsonfile::Read(path, Format, What, [&](const json& file) {
        const auto entry = file.find("layer");
        if (entry == file.end()) throw jsonfile::Malformed("it holds no \"layer\".");
        layer = layerjson::ToLayer(*entry, layerjson::FolderOf(path));
    });
    return layer;
}

void SaveLayerFile(const Layer& layer, const std::string& path) {
    jsonfile::Write(path, {{"format", Format}, {"version", 1}, {"layer", layerjson::FromLayer(layer, layerjson::FolderOf(path))}},
                    What);
}

}  // namespace platform
