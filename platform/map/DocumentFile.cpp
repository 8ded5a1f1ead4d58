#include "platform/map/DocumentFile.h"

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
    auto map = std::make_shared<Map>(jsonfile::Text(entry, "name", "Layers"));
    map->Expanded(jsonfile::Flag(entry, "expanded", true));
    for (const auto& layer : jsonfile::List(entry, "layers")) map->AddLayer(layerjson::ToLayer(layer, folder));
    for (const auto& table : jsonfile::List(entry, "standaloneTables"))
        map->AddStandaloneTable(layerjson::ToTable(table, folder));
    const SpatialReference sr = map->SpatialReference();
    for (const auto& graphic : jsonfile::List(entry, "graphics")) {
        const auto wkt = jsonfile::Text(graphic, "wkt", "");
        auto element = std::make_shared<Element>(Geometry::FromWkt(wkt, sr));
        map->GraphicsLayer()->AddElement(element);
        if (jsonfile::Flag(graphic, "selected", false)) map->GraphicsLayer()->SelectElement(element);
    }
    const auto& extent = jsonfile::List(entry, "extent");
    if (extent.size() == 4) {
        Envelope bounds;
        bounds.PutCoords(jsonfile::Number(extent[0], "the extent"), jsonfile::Number(extent[1], "the extent"),
                         jsonfile::Number(extent[2], "the extent"), jsonfile::Number(extent[3], "the extent"));
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
    const std::string fullPath = layerjson::AbsolutePath(path);
    const std::string folder = layerjson::FolderOf(fullPath);
    std::shared_ptr<MapDocument> document;
    jsonfile::Read(path, Format, What, [&](const json& file) {
        document = std::make_shared<MapDocument>(std::move(commandBars));
        document->Title(jsonfile::Text(file, "title", ""));
        const auto original = document->FocusMap();
        for (const auto& entry : jsonfile::List(file, "maps")) document->Maps()->Add(ReadMap(entry, folder));
        if (document->Maps()->Count() > 1) document->Maps()->Remove(original);
        const int focus = jsonfile::Whole(file, "focusMap", 0);
        if (focus >= 0 && focus < document->Maps()->Count()) document->ActiveView(document->Maps()->Item(focus));
        document->FilePath(fullPath);
    });
    return document;
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
