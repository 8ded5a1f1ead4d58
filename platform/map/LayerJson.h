#pragma once
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

namespace platform {

class Layer;
class StandaloneTable;

// The JSON form of layers and standalone tables shared by map documents and
// layer files. Data sources are written relative to `folder` (the folder of
// the file being written) and read back against it.
namespace layerjson {

// Group layers nest at most this deep in a file; deeper ones are refused.
inline constexpr int MaxGroupDepth = 256;

nlohmann::json FromLayer(const Layer& layer, const std::string& folder);
// Never fails for data that do not open: the layer is then invalid. A layer
// entry of an unknown type, or a group `depth` levels down that would pass
// MaxGroupDepth, raises ComError E_FAIL; members of the wrong JSON type raise
// jsonfile::Malformed.
std::shared_ptr<Layer> ToLayer(const nlohmann::json& json, const std::string& folder, int depth = 0);

nlohmann::json FromTable(const StandaloneTable& table, const std::string& folder);
std::shared_ptr<StandaloneTable> ToTable(const nlohmann::json& json, const std::string& folder);

// A data source path as written: relative to folder when it is a path inside
// the file system; connection strings ("PG:...") stay as they are.
std::string RelativeSource(const std::string& path, const std::string& folder);
// The inverse: a relative path is taken from folder.
std::string AbsoluteSource(const std::string& stored, const std::string& folder);

// A file path made absolute and normal ("" stays ""); never throws.
std::string AbsolutePath(const std::string& filePath);
// The folder of a file path, absolute.
std::string FolderOf(const std::string& filePath);

}  // namespace layerjson
}  // namespace platform
