#include "MapCommandTestSupport.h"

#include <cstdlib>
#include <stdexcept>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/data/SelectionSet.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/HostServices.h"
#include "platform/map/ItemSet.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "ServerTestSupport.h"
#include "platform/com/ComError.h"
#include "src/core/ErrorHandling.h"
#include "tests/support/GdalTestData.h"

namespace mapcmdtest {

namespace {

using testsupport::AddField;
using testsupport::Create;
using testsupport::NewLayer;

struct Place {
    const char* name;
    double x, y;
    int number;
};

void AddPlaces(OGRLayer& layer, std::initializer_list<Place> places) {
    for (const Place& place : places) {
        OGRFeature feature(layer.GetLayerDefn());
        feature.SetField(0, place.name);
        feature.SetField(1, place.number);
        OGRPoint point(place.x, place.y);
        feature.SetGeometry(&point);
        if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
    }
}

void AddBarePoint(OGRLayer& layer, double x, double y) {
    OGRFeature feature(layer.GetLayerDefn());
    OGRPoint point(x, y);
    feature.SetGeometry(&point);
    if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
}

void WriteData(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    {
        auto shp = Create(folder / "cities.shp", "ESRI Shapefile");
        OGRLayer& cities = NewLayer(*shp, "cities", wkbPoint);
        AddField(cities, "NAME", OFTString, 20);
        AddField(cities, "POP", OFTInteger, 9);
        AddPlaces(cities, {{"Oslo", 10.75, 59.91, 700000},
                           {"Bergen", 5.32, 60.39, 285000},
                           {"Tromso", 18.96, 69.65, 75000},
                           {"Alta", 23.27, 69.97, 20000}});
    }
    {
        auto gpkg = Create(folder / "world.gpkg", "GPKG");
        OGRLayer& harbours = NewLayer(*gpkg, "harbours", wkbPoint);
        AddField(harbours, "NAME", OFTString);
        AddField(harbours, "POP", OFTInteger);
        AddPlaces(harbours, {{"Ålesund", 6.15, 62.47, 67000}, {"Bodø", 14.40, 67.28, 52000}});
        AddBarePoint(NewLayer(*gpkg, "bare", wkbPoint), 0, 0);
    }
    {
        auto dbf = Create(folder / "people.dbf", "ESRI Shapefile");
        OGRLayer& people = NewLayer(*dbf, "people", wkbNone);
        AddField(people, "NAME", OFTString, 20);
        AddField(people, "AGE", OFTInteger, 3);
        for (const auto& [name, age] : {std::pair{"Ann", 30}, {"Bob", 45}, {"Cid", 61}}) {
            OGRFeature feature(people.GetLayerDefn());
            feature.SetField(0, name);
            feature.SetField(1, age);
            if (people.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("person");
        }
    }
    {
        auto shp = Create(folder / "levels.shp", "ESRI Shapefile");
        OGRLayer& levels = NewLayer(*shp, "levels", wkbPoint);
        AddField(levels, "LEVEL", OFTReal, 12);
        OGRFeature feature(levels.GetLayerDefn());
        feature.SetField(0, 1.5);
        OGRPoint point(1, 1);
        feature.SetGeometry(&point);
        if (levels.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("level");
    }
    {
        auto shp = Create(folder / "depths.shp", "ESRI Shapefile");
        OGRLayer& depths = NewLayer(*shp, "depths", wkbPoint);
        AddField(depths, "DEPTH", OFTReal, 12);
        AddField(depths, "LABEL", OFTString, 10);
        OGRFeature feature(depths.GetLayerDefn());
        feature.SetField(0, 20.0);
        feature.SetField(1, "deep");
        OGRPoint point(2, 2);
        feature.SetGeometry(&point);
        if (depths.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("depth");
    }
}

Ids SelectedIds(const std::shared_ptr<platform::SelectionSet>& selection) {
    Ids ids;
    if (selection)
        for (auto id : selection->IDs()) ids.push_back(static_cast<long long>(id));
    return ids;
}

void Replace(const std::shared_ptr<platform::SelectionSet>& selection, const Ids& ids) {
    if (!selection) throw std::runtime_error("no selection to set");
    selection->Clear();
    for (auto id : ids) selection->Add(static_cast<platform::ObjectId>(id));
}

}  // namespace

void TestHost::TableWindowShown(const platform::TableWindow& window) {
    if (refuseTableWindows) throw platform::ComError(kRefused, "TableWindow", "The host cannot open the window.");
    HeadlessHostServices::TableWindowShown(window);
}

void TestHost::SelectionChanged(const platform::HostObject& layerOrTable) {
    if (refuseSelectionChanges) throw platform::ComError(kRefused, "TableSelection", "The host refused the change.");
    HeadlessHostServices::SelectionChanged(layerOrTable);
}

MapCommandTest::MapCommandTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-mapcmds-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    folder_ = pattern;
    WriteData(folder_ / "data");
    previousHost_ = platform::SetHostServices(host_);
    tessaly::ResetErrorHandling();
    app_ = std::make_shared<platform::Application>();
}

MapCommandTest::~MapCommandTest() {
    app_.reset();
    tessaly::ResetErrorHandling();
    platform::SetHostServices(previousHost_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string MapCommandTest::Data(const std::string& name) const { return (folder_ / "data" / name).generic_string(); }

std::shared_ptr<platform::FeatureLayer> MapCommandTest::Cities(const std::string& name) const {
    return Layer(name, "cities.shp");
}

std::shared_ptr<platform::FeatureLayer> MapCommandTest::Harbours(const std::string& name) const {
    return Layer(name, "world.gpkg", "harbours");
}

std::shared_ptr<platform::FeatureLayer> MapCommandTest::Layer(const std::string& name, const std::string& file,
                                                              const std::string& layerName) const {
    auto layer = platform::FeatureLayer::Open(name, Data(file), layerName);
    if (!layer->Valid()) throw std::runtime_error("test data did not open: " + file);
    return layer;
}

std::shared_ptr<platform::FeatureLayer> MapCommandTest::Missing(const std::string& name) const {
    return platform::FeatureLayer::Open(name, Data("gone.shp"));
}

std::shared_ptr<platform::StandaloneTable> MapCommandTest::People(const std::string& name) const {
    auto table = platform::StandaloneTable::Open(name, Data("people.dbf"));
    if (!table->Valid()) throw std::runtime_error("test data did not open: people.dbf");
    return table;
}

std::shared_ptr<platform::StandaloneTable> MapCommandTest::MissingTable(const std::string& name) const {
    return platform::StandaloneTable::Open(name, Data("gone.dbf"));
}

const std::shared_ptr<platform::MapDocument>& MapCommandTest::Document() const { return app_->Document(); }

std::shared_ptr<platform::Map> MapCommandTest::FocusMap() const { return Document()->FocusMap(); }

std::shared_ptr<platform::Map> MapCommandTest::AddMap(const std::string& name) const {
    auto map = std::make_shared<platform::Map>(name);
    Document()->Maps()->Add(map);
    return map;
}

platform::ComPtr<platform::ICommand> MapCommandTest::Command(const tessaly::ClassInfo& info) const {
    auto command = servertest::Create<platform::ICommand>(info);
    if (!command) throw std::runtime_error(std::string("no command ") + info.progId);
    EXPECT_EQ(command->OnCreate(app_), platform::S_OK);
    return command;
}

bool MapCommandTest::Enabled(platform::ICommand& command) {
    bool enabled = false;
    EXPECT_EQ(command.Enabled(&enabled), platform::S_OK);
    return enabled;
}

void MapCommandTest::UseView(const std::string& name) const {
    for (std::int32_t i = 0; i < Document()->ContentsViewCount(); ++i) {
        if (Document()->ContentsView(i)->Name() != name) continue;
        Document()->CurrentContentsView(Document()->ContentsView(i));
        return;
    }
    throw std::runtime_error("no contents view " + name);
}

void MapCommandTest::SelectItems(std::initializer_list<std::shared_ptr<platform::HostObject>> items) const {
    const auto& view = Document()->CurrentContentsView();
    view->SelectedItem(nullptr);
    for (const auto& item : items) view->AddToSelectedItems(item);
}

Ids Selected(platform::FeatureLayer& layer) { return SelectedIds(layer.SelectionSet()); }
Ids Selected(platform::StandaloneTable& table) { return SelectedIds(table.SelectionSet()); }
void Select(platform::FeatureLayer& layer, const Ids& ids) { Replace(layer.SelectionSet(), ids); }
void Select(platform::StandaloneTable& table, const Ids& ids) { Replace(table.SelectionSet(), ids); }

std::vector<std::string> LayerNames(const platform::Map& map) {
    std::vector<std::string> names;
    auto layers = map.Layers(nullptr, true);
    layers->Reset();
    while (auto layer = layers->Next()) names.push_back(layer->Name());
    return names;
}

std::vector<std::string> TableNames(const platform::Map& map) {
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < map.StandaloneTableCount(); ++i) names.push_back(map.StandaloneTable(i)->Name());
    return names;
}

}  // namespace mapcmdtest
