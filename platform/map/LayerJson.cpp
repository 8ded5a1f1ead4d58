#include "platform/map/LayerJson.h"

#include <filesystem>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/JsonFile.h"
#include "platform/map/StandaloneTable.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace platform::layerjson {

namespace {
bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A connection string starts with a scheme of two or more characters (a letter,
// then letters, digits or "_") and a ":"; "C:" is a drive, not a scheme.
bool IsConnection(const std::string& source) {
    if (source.empty() || !IsAsciiLetter(source[0])) return false;
    std::size_t i = 1;
    while (i < source.size() && (IsAsciiLetter(source[i]) || (source[i] >= '0' && source[i] <= '9') || source[i] == '_'))
        ++i;
    return i >= 2 && i < source.size() && source[i] == ':';
}

json FieldsJson(const std::vector<BoundTable::FieldSetting>& settings) {
    json fields = json::array();
    for (const auto& setting : settings)
        fields.push_back({{"name", setting.field}, {"alias", setting.alias}, {"visible", setting.visible}});
    return fields;
}

std::vector<BoundTable::FieldSetting> FieldSettings(const json& entry) {
    std::vector<BoundTable::FieldSetting> settings;
    for (const auto& field : jsonfile::List(entry, "fields")) {
        const std::string name = jsonfile::Text(field, "name", "");
        settings.push_back({name, jsonfile::Text(field, "alias", name), jsonfile::Flag(field, "visible", true)});
    }
    return settings;
}

json SourceJson(const std::string& path, const std::string& dataset, const std::string& expression,
                const std::string& folder) {
    return {{"dataSource", RelativeSource(path, folder)}, {"dataset", dataset}, {"definitionExpression", expression}};
}
}  // namespace

std::string RelativeSource(const std::string& path, const std::string& folder) {
    if (path.empty() || IsConnection(path) || folder.empty()) return path;
    const fs::path absolute = fs::path(path).lexically_normal();
    if (!absolute.is_absolute()) return path;
    const fs::path relative = absolute.lexically_relative(fs::path(folder).lexically_normal());
    return relative.empty() ? path : relative.generic_string();
}

std::string AbsoluteSource(const std::string& stored, const std::string& folder) {
    if (stored.empty() || IsConnection(stored) || folder.empty()) return stored;
    const fs::path path(stored);
    if (path.is_absolute()) return stored;
    return (fs::path(folder) / path).lexically_normal().generic_string();
}

std::string AbsolutePath(const std::string& filePath) {
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(filePath), error);
    return error ? filePath : absolute.lexically_normal().generic_string();
}

std::string FolderOf(const std::string& filePath) {
    return fs::path(AbsolutePath(filePath)).parent_path().lexically_normal().generic_string();
}

json FromLayer(const Layer& layer, const std::string& folder) {
    if (auto group = dynamic_cast<const GroupLayer*>(&layer)) {
        json members = json::array();
        for (const auto& member : group->Layers()) members.push_back(FromLayer(*member, folder));
        return {{"type", "group"}, {"name", group->Name()}, {"expanded", group->Expanded()}, {"layers", members}};
    }
    if (auto feature = dynamic_cast<const FeatureLayer*>(&layer)) {
        json entry = SourceJson(feature->DataSourcePath(), feature->DataLayerName(), feature->DefinitionExpression(),
                                folder);
        entry["type"] = "feature";
        entry["name"] = feature->Name();
        entry["fields"] = FieldsJson(feature->FieldSettings());
        return entry;
    }
    throw ComError(E_FAIL, "Layer", "The layer '" + layer.Name() + "' cannot be saved.");
}

std::shared_ptr<Layer> ToLayer(const json& entry, const std::string& folder, int depth) {
    const std::string type = jsonfile::Text(entry, "type", "feature");
    const std::string name = jsonfile::Text(entry, "name", "");
    if (type == "group") {
        if (depth >= MaxGroupDepth)
            throw ComError(E_FAIL, "Layer",
                           "The group layer '" + name + "' is nested deeper than " + std::to_string(MaxGroupDepth) +
                               " levels.");
        auto group = std::make_shared<GroupLayer>(name);
        group->Expanded(jsonfile::Flag(entry, "expanded", false));
        for (const auto& member : jsonfile::List(entry, "layers")) group->Add(ToLayer(member, folder, depth + 1));
        return group;
    }
    if (type != "feature") throw ComError(E_FAIL, "Layer", "The layer type '" + type + "' is not known.");
    auto layer = FeatureLayer::Open(name, AbsoluteSource(jsonfile::Text(entry, "dataSource", ""), folder),
                                    jsonfile::Text(entry, "dataset", ""),
                                    jsonfile::Text(entry, "definitionExpression", ""));
    layer->FieldSettings(FieldSettings(entry));
    return layer;
}

json FromTable(const StandaloneTable& table, const std::string& folder) {
    json entry = SourceJson(table.DataSourcePath(), table.DataLayerName(), table.DefinitionExpression(), folder);
    entry["name"] = table.Name();
    entry["fields"] = FieldsJson(table.FieldSettings());
    return entry;
}

std::shared_ptr<StandaloneTable> ToTable(const json& entry, const std::string& folder) {
    auto table = StandaloneTable::Open(jsonfile::Text(entry, "name", ""),
                                       AbsoluteSource(jsonfile::Text(entry, "dataSource", ""), folder),
                                       jsonfile::Text(entry, "dataset", ""),
                                       jsonfile::Text(entry, "definitionExpression", ""));
    table->FieldSettings(FieldSettings(entry));
    return table;
}

}  // namespace platform::layerjson
