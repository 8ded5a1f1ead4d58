#include <gtest/gtest.h>

#include "MapTestSupport.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/ItemSet.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/StringArray.h"
#include "platform/map/VariantArray.h"
#include "platform/map/UID.h"

using namespace platform;

namespace {

class DocumentModelTest : public maptest::MapTest {
protected:
    // Focus map: Zones, group "Places" { Cities, group "Inner" { Cities 2 } }.
    void SetUp() override {
        MapTest::SetUp();
        map_ = document_.FocusMap();
        zones_ = FeatureLayer::Open("Zones", Zones());
        cities_ = FeatureLayer::Open("Cities", Cities());
        inner_ = std::make_shared<GroupLayer>("Inner");
        cities2_ = FeatureLayer::Open("Cities 2", Cities());
        inner_->Add(cities2_);
        places_ = std::make_shared<GroupLayer>("Places");
        places_->Add(cities_);
        places_->Add(inner_);
        map_->AddLayer(zones_);
        map_->AddLayer(places_);
    }

    std::vector<std::string> Enumerate(const char* uidText, bool recursive) {
        UID uid;
        if (uidText) uid.Value(uidText);
        auto layers = map_->Layers(uidText ? &uid : nullptr, recursive);
        layers->Reset();
        std::vector<std::string> names;
        while (auto layer = layers->Next()) names.push_back(layer->Name());
        return names;
    }

    MapDocument document_;
    std::shared_ptr<Map> map_;
    std::shared_ptr<FeatureLayer> zones_, cities_, cities2_;
    std::shared_ptr<GroupLayer> places_, inner_;
};

using Names = std::vector<std::string>;

TEST_F(DocumentModelTest, LayersEnumeratesByTypeAndDepth) {
    struct Case {
        const char* uid;
        bool recursive;
        Names expected;
    };
    const Case cases[] = {
        {nullptr, true, {"Zones", "Places", "Cities", "Inner", "Cities 2"}},
        {nullptr, false, {"Zones", "Places"}},
        {FeatureLayerTypeUID, true, {"Zones", "Cities", "Cities 2"}},
        {FeatureLayerTypeUID, false, {"Zones"}},
        {FeatureLayerInterfaceUID, true, {"Zones", "Cities", "Cities 2"}},
        {"{e156d7e5-22af-11d3-9f99-00c04f6bc78e}", true, {"Zones", "Cities", "Cities 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.uid ? c.uid : "none") + (c.recursive ? " recursive" : " top"));
        EXPECT_EQ(Enumerate(c.uid, c.recursive), c.expected);
    }
}

TEST_F(DocumentModelTest, LayersOfAnEmptyMapIsEmptyAndAnUnknownTypeRaises) {
    Map empty;
    UID uid(FeatureLayerTypeUID);
    EXPECT_EQ(empty.Layers(&uid, true)->Next(), nullptr);
    UID unknown("{00000000-0000-0000-0000-000000000000}");
    auto error = maptest::ExpectComError([&] { map_->Layers(&unknown, true); });
    EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80070057u);
}

TEST_F(DocumentModelTest, EnumerationRestartsAfterReset) {
    auto layers = map_->Layers(nullptr, false);
    while (layers->Next()) {
    }
    layers->Reset();
    EXPECT_EQ(layers->Next(), zones_);
}

TEST_F(DocumentModelTest, DeleteLayerTakesANestedLayerOutAndIgnoresOtherMaps) {
    auto other = std::make_shared<Map>("Other");
    other->AddLayer(zones_);
    other->DeleteLayer(cities2_);  // not held there: nothing happens
    EXPECT_EQ(other->LayerCount(), 1);

    map_->DeleteLayer(cities2_);
    EXPECT_EQ(Enumerate(nullptr, true), (Names{"Zones", "Places", "Cities", "Inner"}));
    map_->DeleteLayer(zones_);
    EXPECT_EQ(Enumerate(nullptr, true), (Names{"Places", "Cities", "Inner"}));
    EXPECT_EQ(other->Layer(0), zones_) << "the same layer in another map stays";
}

TEST_F(DocumentModelTest, AddLayerAppendsAndAllowsTheSameLayerTwice) {
    map_->AddLayer(cities_);
    map_->AddLayer(cities_);
    EXPECT_EQ(Enumerate(nullptr, false), (Names{"Zones", "Places", "Cities", "Cities"}));
}

TEST_F(DocumentModelTest, ContentsViewsAndTheirSelectedItems) {
    ASSERT_EQ(document_.ContentsViewCount(), 3);
    EXPECT_EQ(document_.ContentsView(0)->Name(), "Display");
    EXPECT_EQ(document_.ContentsView(1)->Name(), "Source");
    EXPECT_EQ(document_.ContentsView(2)->Name(), "Selection");
    EXPECT_EQ(document_.CurrentContentsView(), document_.ContentsView(0));
    EXPECT_EQ(document_.SelectedItem(), nullptr);

    auto display = document_.ContentsView(0);
    display->SelectedItem(cities_);
    EXPECT_EQ(document_.SelectedItem(), cities_);

    auto table = StandaloneTable::Open("People", People());
    display->AddToSelectedItems(table);
    display->AddToSelectedItems(map_);
    auto set = std::dynamic_pointer_cast<ItemSet>(document_.SelectedItem());
    ASSERT_TRUE(set);
    EXPECT_EQ(set->Count(), 3);
    set->Reset();
    EXPECT_EQ(set->Next(), cities_);
    EXPECT_EQ(set->Next(), table);
    EXPECT_EQ(set->Next(), map_);
    EXPECT_EQ(set->Next(), nullptr);

    display->RemoveFromSelectedItems(table);
    display->RemoveFromSelectedItems(zones_);  // not selected: no error
    EXPECT_EQ(std::dynamic_pointer_cast<ItemSet>(document_.SelectedItem())->Count(), 2);

    // Each view has its own selection; the document answers the current one's.
    document_.CurrentContentsView(document_.ContentsView(2));
    EXPECT_EQ(document_.SelectedItem(), nullptr);
    document_.ContentsView(2)->SelectedItem(set);
    EXPECT_EQ(std::dynamic_pointer_cast<ItemSet>(document_.SelectedItem())->Count(), 3)
        << "selecting a set selects its members";

    MapDocument other;
    maptest::ExpectComError([&] { document_.CurrentContentsView(other.ContentsView(0)); });
}

TEST_F(DocumentModelTest, ActivatingAMapMakesItTheFocusMap) {
    auto second = document_.Maps()->Create();
    EXPECT_EQ(document_.Maps()->Count(), 1) << "created maps are not in the list yet";
    document_.Maps()->Add(second);
    document_.ActiveView(second);
    EXPECT_EQ(document_.FocusMap(), second);
    EXPECT_EQ(document_.ActiveView(), second);

    auto stranger = std::make_shared<Map>("Stranger");
    maptest::ExpectComError([&] { document_.ActiveView(stranger); });
    EXPECT_EQ(document_.FocusMap(), second);
}

TEST_F(DocumentModelTest, RemovingTheFocusMapPassesFocusToTheFirstAndTheLastMapStays) {
    auto second = std::make_shared<Map>("Second");
    document_.Maps()->Add(second);
    document_.ActiveView(second);
    document_.Maps()->Remove(second);
    EXPECT_EQ(document_.FocusMap(), map_);
    document_.Maps()->Remove(second);  // no longer there: no error
    auto error = maptest::ExpectComError([&] { document_.Maps()->Remove(map_); });
    EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80004005u);
    EXPECT_EQ(document_.Maps()->Count(), 1);
}

TEST_F(DocumentModelTest, StandaloneTablesStandOnceInEachMap) {
    auto table = StandaloneTable::Open("People", People());
    auto other = std::make_shared<Map>("Other");
    map_->AddStandaloneTable(table);
    map_->AddStandaloneTable(table);
    other->AddStandaloneTable(table);
    EXPECT_EQ(map_->StandaloneTableCount(), 1);
    EXPECT_EQ(other->StandaloneTable(0), table);
    map_->RemoveStandaloneTable(table);
    map_->RemoveStandaloneTable(table);
    EXPECT_EQ(map_->StandaloneTableCount(), 0);
    EXPECT_EQ(other->StandaloneTableCount(), 1);
}

TEST_F(DocumentModelTest, MapDrawsInItsFirstLayersReferenceAndProjectsTheOthers) {
    EXPECT_TRUE(map_->SpatialReference().IsSame(SpatialReference::FromEpsg(3857)));
    const Envelope full = map_->FullExtent();
    // Zones and cities together, in web mercator metres.
    EXPECT_LT(full.XMin(), 5.32 * 111000);
    EXPECT_GT(full.YMax(), 10000000);
    EXPECT_EQ(map_->Extent(), full) << "a view never zoomed shows everything";

    Envelope bounds;
    bounds.PutCoords(0, 0, 100, 100);
    map_->ScreenDisplay()->DisplayTransformation()->VisibleBounds(bounds);
    EXPECT_DOUBLE_EQ(map_->Extent().XMax(), 100);
}

TEST_F(DocumentModelTest, RefreshesGoToTheHost) {
    document_.ActiveView()->PartialRefresh(4, nullptr, nullptr);
    document_.ActiveView()->PartialRefresh(2, cities_, nullptr);
    document_.ActiveView()->Refresh();
    document_.UpdateContents();
    using Kind = HeadlessHostServices::EventKind;
    const auto& events = host_->Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, Kind::PartialRefresh);
    EXPECT_EQ(events[0].phase, 4);
    EXPECT_EQ(events[0].object, nullptr);
    EXPECT_EQ(events[1].phase, 2);
    EXPECT_EQ(events[1].name, "Cities");
    EXPECT_EQ(events[2].kind, Kind::Refresh);
    EXPECT_EQ(events[3].kind, Kind::ContentsUpdated);
}

TEST_F(DocumentModelTest, FeatureLayerAnswersItsDataQuestions) {
    EXPECT_EQ(cities_->DataSourceType(), "Shapefile Feature Class");
    ASSERT_EQ(cities_->FieldCount(), 4);
    EXPECT_EQ(cities_->Field(0)->Type(), 6);
    EXPECT_EQ(cities_->Field(1)->Type(), 7);
    EXPECT_EQ(cities_->Field(2)->Name(), "NAME");
    EXPECT_EQ(cities_->FieldInfo(2)->Alias(), "NAME");
    EXPECT_TRUE(cities_->FieldInfo(2)->Visible());
    EXPECT_EQ(cities_->FieldInfo(2), cities_->FieldInfo(2)) << "the layer keeps its settings object";
    EXPECT_EQ(cities_->Workspace()->WorkspaceFactory()->WorkspaceDescription(false), "Shapefiles");
    auto error = maptest::ExpectComError([&] { cities_->Field(4); });
    EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80070057u);
}

TEST(HostArrays, KeepInsertionOrderAndRefuseIndexesOutside) {
    StringArray texts;
    texts.Add("b");
    texts.Add("a");
    EXPECT_EQ(texts.Count(), 2);
    EXPECT_EQ(texts.Element(1), "a");
    VariantArray objects;
    auto map = std::make_shared<Map>();
    auto nested = std::make_shared<StringArray>();
    objects.Add(map);
    objects.Add(nested);
    EXPECT_EQ(objects.Element(0), map);
    EXPECT_EQ(std::dynamic_pointer_cast<StringArray>(objects.Element(1)), nested);
    for (int index : {-1, 2}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(static_cast<std::uint32_t>(maptest::ExpectComError([&] { texts.Element(index); }).Number()),
                  0x80070057u);
        maptest::ExpectComError([&] { objects.Element(index); });
    }
}

}  // namespace
