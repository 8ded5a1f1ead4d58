#pragma once
#include <memory>
#include <string>

namespace platform {

class Layer;

// A layer file (.tlyr): one layer in the JSON form of map documents,
//   { "format": "tessaly-layer-file", "version": 1, "layer": { ... } },
// its data source relative to the layer file's folder.

// Reads the layer. A missing or unreadable file, or one that is not a layer
// file, raises ComError E_FAIL; data that do not open give an invalid layer.
std::shared_ptr<Layer> LoadLayerFile(const std::string& path);
// Writes the layer; failure raises ComError E_FAIL.
void SaveLayerFile(const Layer& layer, const std::string& path);

}  // namespace platform
