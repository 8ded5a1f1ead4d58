#include "platform/map/DocumentFile.h"

#include <filesystem>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/Geometry.h"
#include "platform/map/JsonFile.h"
#include "platform/map/LayerJson.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"

using nlohmann::json;

namespace platform {

namespace {
const char* const Format = "tessaly-map-document";
const char* const What = "map document";

std::shared_ptr<Map> ReadMap(const json& entry, const std::string& folder) {
    auto map = std::make_shared<Map>(entry.value("name", "Layers"));
    map->Expanded(entry.value("expanded", true));
    for (const auto& layer : entry.value("layers", json::array())) map->AddLayer(layerjson::ToLayer(layer, folder));
    for (const auto& table : entry.value("standaloneTables", json::array()))
        map->AddStandaloneTable(layerjson::ToTable(table, folder));
    const SpatialReference sr = map->SpatialReference();
    for (const auto& graphic : entry.value("graphics", json::array())) {
        auto element = std::make_shared<Element>(Geometry::FromWkt(graphic.at("wkt").get<std::string>(), sr));
        map->GraphicsLayer()->AddElement(element);
        if (graphic.value("selected", false)) map->GraphicsLayer()->SelectElement(element);
    }
    if (const auto extent = entry.find("extent"); extent != entry.end() && extent->is_array() && extent->size() == 4) {
        Envelope bounds;
        bounds.PutCoords((*extent)[0].get<double>(), (*extent)[1].get<double>(), (*extent)[2].get<double>(),
                         (*extent)[3].get<double>());
        bounds.SpatialReference(sr);
        map->Extent(bounds);
    }
    return map;
}

json WriteMap(const Map& map, const std::string& folder) {
    json layers = json::array();
    for (const auto& layer : map.TopLayers()) layers.push_back(layerjson::FromLayer(*layer, folder));
    json tables = json::array();
    for (std::int32_t i = 0; i < map.StandaloneTableCount(); ++i)
        tables.push_back(layerjson::FromTable(*map.StandaloneTable(i), folder));
    const SpatialReference sr = map.SpatialReference();
    json graphics = json::array();
    const auto graphicsLayer = map.GraphicsLayer();
    for (std::int32_t i = 0; i < graphicsLayer->ElementCount(); ++i) {
        const auto& element = graphicsLayer->Element(i);
        graphics.push_back({{"wkt", element->Geometry().Project(sr).ToWkt()},
                            {"selected", graphicsLayer->IsSelected(*element)}});
    }
    json entry = {{"name", map.Name()}, {"expanded", map.Expanded()}, {"layers", layers},
                  {"standaloneTables", tables}, {"graphics", graphics}};
    const Envelope extent = map.Extent();
    if (!extent.IsEmpty()) entry["extent"] = {extent.XMin(), extent.YMin(), extent.XMax(), extent.YMax()};
    return entry;
}
}  // namespace

std::shared_ptr<MapDocument> LoadDocument(const std::string& path, std::shared_ptr<CommandBars> commandBars) {
    const json file = jsonfile::Read(path, Format, What);
    const std::string fullPath = std::filesystem::absolute(path).lexically_normal().generic_string();
    const std::string folder = layerjson::FolderOf(fullPath);
    try {
        auto document = std::make_shared<MapDocument>(std::move(commandBars));
        document->Title(file.value("title", ""));
        const auto original = document->FocusMap();
        for (const auto& entry : file.value("maps", json::array())) document->Maps()->Add(ReadMap(entry, folder));
        if (document->Maps()->Count() > 1) document->Maps()->Remove(original);
        const int focus = file.value("focusMap", 0);
        if (focus >= 0 && focus < document->Maps()->Count()) document->ActiveView(document->Maps()->Item(focus));
        document->FilePath(fullPath);
        return document;
    } catch (const json::exception& error) {
        throw ComError(E_FAIL, What, "The map document '" + path + "' is damaged: " + error.what());
    }
}

void SaveDocument(const MapDocument& document, const std::string& path) {
    const std::string folder = layerjson::FolderOf(path);
    json maps = json::array();
    int focus = 0;
    for (std::int32_t i = 0; i < document.Maps()->Count(); ++i) {
        const auto& map = document.Maps()->Item(i);
        if (map == document.FocusMap()) focus = i;
        maps.push_back(WriteMap(*map, folder));
    }
    jsonfile::Write(path,
                    {{"format", Format}, {"version", 1}, {"title", document.Title()}, {"focusMap", focus},
                     {"maps", maps}},
                    What);
}

}  // namespace platform
