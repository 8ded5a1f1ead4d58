#pragma once
#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// The file behind the registry calls: where it is, reading it, saving it whole.
namespace platform::registryfile {

using Document = nlohmann::ordered_json;

// $TESSALY_REGISTRY, else $XDG_CONFIG_HOME/tessaly/registry.json, else
// ~/.config/tessaly/registry.json; looked up afresh on every call.
std::string Location();

// The registry as it is now: an empty object when the file does not exist,
// nothing when it cannot be read or is not a JSON object.
std::optional<Document> Load();

// Replaces the file by `document`: written to a temporary file beside it, then
// renamed over it, so readers see the old or the new file, never a part. Creates
// missing folders. False, with the old file untouched and no temporary file left,
// when it cannot be written.
bool Save(const Document& document);

}  // namespace platform::registryfile
