#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "MapTestSupport.h"
#include "platform/data/WhereClause.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/LayerFile.h"
#include "platform/map/CatalogObjects.h"
#include "platform/map/StandaloneTable.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

class DocumentFileTest : public maptest::MapTest {
protected:
    // Two maps; the second holds a group with a layer, a table and graphics.
    std::shared_ptr<MapDocument> Build() {
        auto document = std::make_shared<MapDocument>();
        document->Title("Lesson");
        auto first = document->FocusMap();
        first->Name("Overview");
        first->AddLayer(FeatureLayer::Open("Zones", Zones()));

        auto second = std::make_shared<Map>("Detail");
        second->Expanded(false);
        auto group = std::make_shared<GroupLayer>("Places");
        group->Expanded(true);
        auto cities = FeatureLayer::Open("Cities", Cities(), "", "POP > 50000");
        cities->FieldInfo(2)->Alias("City name");
        cities->FieldInfo(3)->Visible(false);
        group->Add(cities);
        second->AddLayer(group);
        auto people = StandaloneTable::Open("People", People());
        people->FieldInfo(1)->Alias("Person");
        second->AddStandaloneTable(people);
        auto element = std::make_shared<Element>(Geometry::FromWkt("POINT (10 60)"));
        second->GraphicsLayer()->AddElement(element);
        second->GraphicsLayer()->AddElement(std::make_shared<Element>(Geometry::FromWkt("POINT (20 70)")));
        second->GraphicsLayer()->SelectElement(element);
        Envelope extent;
        extent.PutCoords(1, 50, 30, 75);
        second->Extent(extent);
        document->Maps()->Add(second);
        document->ActiveView(second);
        return document;
    }
};

TEST_F(DocumentFileTest, SavedDocumentReadsBackTheSame) {
    const std::string path = folder_.File("lesson.tmd");
    Build()->Save(path);
    auto document = MapDocument::Load(path);

    EXPECT_EQ(document->Title(), "Lesson");
    EXPECT_EQ(document->FilePath(), path);
    ASSERT_EQ(document->Maps()->Count(), 2);
    EXPECT_EQ(document->Maps()->Item(0)->Name(), "Overview");
    EXPECT_EQ(document->FocusMap(), document->Maps()->Item(1));

    auto detail = document->FocusMap();
    EXPECT_EQ(detail->Name(), "Detail");
    EXPECT_FALSE(detail->Expanded());
    ASSERT_EQ(detail->LayerCount(), 1);
    auto group = std::dynamic_pointer_cast<GroupLayer>(detail->Layer(0));
    ASSERT_TRUE(group);
    EXPECT_EQ(group->Name(), "Places");
    EXPECT_TRUE(group->Expanded());
    auto cities = std::dynamic_pointer_cast<FeatureLayer>(group->Layer(0));
    ASSERT_TRUE(cities);
    EXPECT_TRUE(cities->Valid());
    EXPECT_EQ(cities->DefinitionExpression(), "POP > 50000");
    EXPECT_EQ(cities->RowCount(nullptr), 3);
    EXPECT_EQ(cities->FieldInfo(2)->Alias(), "City name");
    EXPECT_TRUE(cities->FieldInfo(2)->Visible());
    EXPECT_EQ(cities->FieldInfo(3)->Alias(), "POP");
    EXPECT_FALSE(cities->FieldInfo(3)->Visible());

    ASSERT_EQ(detail->StandaloneTableCount(), 1);
    EXPECT_EQ(detail->StandaloneTable(0)->Name(), "People");
    EXPECT_EQ(detail->StandaloneTable(0)->FieldInfo(1)->Alias(), "Person");

    auto graphics = detail->GraphicsLayer();
    ASSERT_EQ(graphics->ElementCount(), 2);
    EXPECT_EQ(graphics->ElementSelectionCount(), 1);
    EXPECT_TRUE(graphics->IsSelected(*graphics->Element(0)));
    EXPECT_EQ(graphics->Element(1)->Geometry().ToWkt(), "POINT (20 70)");
    EXPECT_TRUE(graphics->Element(0)->Geometry().SpatialReference().IsSame(SpatialReference::FromEpsg(4326)))
        << "graphics are in the map's coordinates";

    const Envelope extent = detail->Extent();
    EXPECT_DOUBLE_EQ(extent.XMin(), 1);
    EXPECT_DOUBLE_EQ(extent.YMax(), 75);
}

TEST_F(DocumentFileTest, DataSourcesAreStoredRelativeSoTheFolderCanMove) {
    const std::string path = folder_.File("lesson.tmd");
    Build()->Save(path);
    std::ifstream in(path);
    const auto json = nlohmann::json::parse(in);
    EXPECT_EQ(json["maps"][1]["layers"][0]["layers"][0]["dataSource"], "data/cities.shp");
    EXPECT_EQ(json["maps"][1]["standaloneTables"][0]["dataSource"], "data/people.dbf");

    maptest::TempFolder other;
    fs::copy(folder_.Path(), other.Path(), fs::copy_options::recursive);
    fs::remove_all(folder_.Path() / "data");
    auto moved = MapDocument::Load(other.File("lesson.tmd"));
    EXPECT_TRUE(moved->Maps()->Item(0)->Layer(0)->Valid());
    EXPECT_TRUE(moved->FocusMap()->StandaloneTable(0)->Valid());
}

TEST_F(DocumentFileTest, MissingDataLeavesInvalidLayersThatSaveBackUnchanged) {
    const std::string path = folder_.File("lesson.tmd");
    Build()->Save(path);
    fs::remove_all(folder_.Path() / "data");

    auto document = MapDocument::Load(path);
    auto layer = std::dynamic_pointer_cast<FeatureLayer>(document->Maps()->Item(0)->Layer(0));
    ASSERT_TRUE(layer);
    EXPECT_FALSE(layer->Valid());
    EXPECT_EQ(layer->Name(), "Zones");
    EXPECT_EQ(layer->FieldCount(), 0);
    EXPECT_EQ(layer->SelectionSet(), nullptr);
    EXPECT_EQ(layer->DataSourceType(), "");
    auto error = maptest::ExpectComError([&] { layer->RowCount(nullptr); });
    EXPECT_EQ(error.Number(), platform::E_DATAUNREADABLE) << "a data problem, not a rejected where clause";
    EXPECT_FALSE(document->FocusMap()->StandaloneTable(0)->Valid());

    document->Save(path);
    maptest::WriteScene(folder_.Path() / "data");
    auto restored = MapDocument::Load(path);
    auto cities = std::dynamic_pointer_cast<FeatureLayer>(
        std::dynamic_pointer_cast<GroupLayer>(restored->FocusMap()->Layer(0))->Layer(0));
    EXPECT_TRUE(cities->Valid());
    EXPECT_EQ(cities->DefinitionExpression(), "POP > 50000");
    EXPECT_EQ(cities->FieldInfo(2)->Alias(), "City name") << "settings of invalid layers are kept";
}

TEST_F(DocumentFileTest, UnreadableDocumentsRaiseAndKeepTheOpenOne) {
    const std::string notJson = folder_.File("broken.tmd");
    std::ofstream(notJson) << "{ not json";
    const std::string otherFormat = folder_.File("other.tmd");
    std::ofstream(otherFormat) << R"({"format": "something-else"})";

    Application application;
    const auto open = application.Document();
    for (const auto& path : {notJson, otherFormat, folder_.File("missing.tmd")}) {
        SCOPED_TRACE(path);
        auto error = maptest::ExpectComError([&] { application.OpenDocument(path); });
        EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80004005u);
        EXPECT_EQ(application.Document(), open);
    }
}

TEST_F(DocumentFileTest, LayerFileKeepsOneLayerWithItsSourceRelativeToTheFile) {
    auto layer = FeatureLayer::Open("Big cities", Cities(), "", "POP > 100000");
    layer->FieldInfo(2)->Alias("City");
    fs::create_directories(folder_.Path() / "layers");
    const std::string path = folder_.File("layers/big.tlyr");
    SaveLayerFile(*layer, path);

    std::ifstream in(path);
    EXPECT_EQ(nlohmann::json::parse(in)["layer"]["dataSource"], "../data/cities.shp");

    auto loaded = std::dynamic_pointer_cast<FeatureLayer>(LoadLayerFile(path));
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->Valid());
    EXPECT_EQ(loaded->Name(), "Big cities");
    EXPECT_EQ(loaded->RowCount(nullptr), 2);
    EXPECT_EQ(loaded->FieldInfo(2)->Alias(), "City");
}

TEST_F(DocumentFileTest, CatalogLayerGivesInvalidLayersForMissingDataAndDamagedFiles) {
    const std::string good = folder_.File("cities.tlyr");
    SaveLayerFile(*FeatureLayer::Open("Cities", Cities()), good);
    const std::string lost = folder_.File("lost.tlyr");
    SaveLayerFile(*FeatureLayer::Open("Lost", folder_.File("data/nothing.shp")), lost);
    const std::string damaged = folder_.File("damaged.tlyr");
    std::ofstream(damaged) << "garbage";

    struct Case {
        std::string path;
        const char* name;
        bool valid;
    };
    for (const auto& c : {Case{good, "Cities", true}, Case{lost, "Lost", false}, Case{damaged, "damaged", false}}) {
        SCOPED_TRACE(c.path);
        CatalogLayer catalogLayer;
        catalogLayer.Path(c.path);
        auto layer = catalogLayer.Layer();
        ASSERT_TRUE(layer);
        EXPECT_EQ(layer->Name(), c.name);
        EXPECT_EQ(layer->Valid(), c.valid);
        EXPECT_EQ(catalogLayer.Layer(), layer) << "read once";
    }
    CatalogLayer missing;
    missing.Path(folder_.File("nowhere.tlyr"));
    maptest::ExpectComError([&] { missing.Layer(); });
}

TEST_F(DocumentFileTest, TemplatesEndWithTheOpenDocumentsPath) {
    const std::string path = folder_.File("lesson.tmd");
    Build()->Save(path);
    Application application;
    EXPECT_EQ(application.Templates()->Count(), 1) << "a new document has no file";
    application.OpenDocument(path);
    auto templates = application.Templates();
    ASSERT_EQ(templates->Count(), 2);
    EXPECT_TRUE(templates->Item(0).ends_with("/tessaly/Normal.tmt"));
    EXPECT_EQ(templates->Item(templates->Count() - 1), path);
}

}  // namespace
