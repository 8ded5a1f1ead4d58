#include <gtest/gtest.h>

#include "MapTestSupport.h"
#include "platform/data/QueryFilter.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"

using namespace platform;
using maptest::Selected;

namespace {

using Ids = std::vector<long long>;

QueryFilter Where(const std::string& clause) {
    QueryFilter filter;
    filter.WhereClause(clause);
    return filter;
}

class SelectionTest : public maptest::MapTest {};

struct Combination {
    const char* name;
    Ids before;
    const char* where;  // nullptr: no filter
    int method;
    Ids after;
};

// Oslo 0 (700000), Bergen 1 (285000), Tromso 2 (75000), Alta 3 (20000).
const Combination kCombinations[] = {
    {"new replaces", {0, 3}, "POP > 100000", 0, {0, 1}},
    {"new without filter selects all", {2}, nullptr, 0, {0, 1, 2, 3}},
    {"add unites", {3}, "POP > 100000", 1, {0, 1, 3}},
    {"subtract removes matches", {0, 1, 2}, "POP > 100000", 2, {2}},
    {"and keeps selected matches", {0, 2, 3}, "POP > 50000", 3, {0, 2}},
    {"xor flips matches", {0, 3}, "POP > 100000", 4, {1, 3}},
    {"xor without filter flips every row", {0, 3}, nullptr, 4, {1, 2}},
    {"new with no match empties", {0}, "POP > 9000000", 0, {}},
};

TEST_F(SelectionTest, SelectFeaturesCombinesByMethod) {
    for (const auto& c : kCombinations) {
        SCOPED_TRACE(c.name);
        auto layer = FeatureLayer::Open("Cities", Cities());
        for (auto id : c.before) layer->SelectionSet()->Add(id);
        QueryFilter filter = c.where ? Where(c.where) : QueryFilter();
        layer->SelectFeatures(c.where ? &filter : nullptr, c.method, false);
        EXPECT_EQ(Selected(layer->SelectionSet()), c.after);
    }
}

TEST_F(SelectionTest, SelectRowsOfStandaloneTableCombinesByMethod) {
    for (const auto& c : {Combination{"new", {}, "AGE > 40", 0, {1, 2}},
                          Combination{"xor all", {0}, nullptr, 4, {1, 2}},
                          Combination{"and", {0, 1}, "AGE > 40", 3, {1}}}) {
        SCOPED_TRACE(c.name);
        auto table = StandaloneTable::Open("People", People());
        for (auto id : c.before) table->SelectionSet()->Add(id);
        QueryFilter filter = c.where ? Where(c.where) : QueryFilter();
        table->SelectRows(c.where ? &filter : nullptr, c.method, false);
        EXPECT_EQ(Selected(table->SelectionSet()), c.after);
    }
}

TEST_F(SelectionTest, SwitchingTwiceRestoresTheSelection) {
    auto layer = FeatureLayer::Open("Cities", Cities());
    layer->SelectionSet()->Add(1);
    layer->SelectFeatures(nullptr, 4, false);
    layer->SelectFeatures(nullptr, 4, false);
    EXPECT_EQ(Selected(layer->SelectionSet()), Ids({1}));
}

TEST_F(SelectionTest, JustOneTakesTheFirstMatchOnly) {
    auto layer = FeatureLayer::Open("Cities", Cities());
    QueryFilter filter = Where("POP < 300000");
    layer->SelectFeatures(&filter, 0, true);
    EXPECT_EQ(Selected(layer->SelectionSet()), Ids({1}));
}

TEST_F(SelectionTest, ClearEmptiesAndSelectionChangedIsAnnounced) {
    auto layer = FeatureLayer::Open("Cities", Cities());
    layer->SelectFeatures(nullptr, 0, false);
    layer->Clear();
    layer->SelectionChanged();
    EXPECT_EQ(layer->SelectionSet()->Count(), 0);
    auto changes = host_->EventsOf(HeadlessHostServices::EventKind::SelectionChanged);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].object, static_cast<const void*>(static_cast<HostObject*>(layer.get())));
    EXPECT_EQ(changes[0].name, "Cities");
}

TEST_F(SelectionTest, RejectedWhereClauseLeavesSelectionAsItWas) {
    auto layer = FeatureLayer::Open("Cities", Cities());
    layer->SelectionSet()->Add(2);
    QueryFilter filter = Where("(  )");
    auto error = maptest::ExpectComError([&] { layer->SelectFeatures(&filter, 0, false); });
    EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80004005u);
    EXPECT_EQ(Selected(layer->SelectionSet()), Ids({2}));
}

TEST_F(SelectionTest, DefinitionExpressionLimitsTheViewAndKeepsTheRowsItHidesSelected) {
    auto layer = FeatureLayer::Open("Cities", Cities());
    layer->SelectFeatures(nullptr, 0, false);
    layer->DefinitionExpression("POP > 50000");
    EXPECT_EQ(layer->RowCount(nullptr), 3);
    EXPECT_EQ(maptest::Names(*layer), (std::vector<std::string>{"Oslo", "Bergen", "Tromso"}));
    EXPECT_EQ(Selected(layer->SelectionSet()), Ids({0, 1, 2, 3})) << "the hidden row stays selected";
    layer->SelectFeatures(nullptr, 4, false);
    EXPECT_EQ(Selected(layer->SelectionSet()), Ids({3})) << "only the rows shown are switched";
    layer->DefinitionExpression("");
    EXPECT_EQ(Selected(layer->SelectionSet()), Ids({3})) << "shown selected again";
    layer->SelectFeatures(nullptr, 0, false);
    EXPECT_EQ(Selected(layer->SelectionSet()), Ids({0, 1, 2, 3}));
}

TEST_F(SelectionTest, RejectedDefinitionExpressionKeepsTheOldOne) {
    auto layer = FeatureLayer::Open("Cities", Cities(), "", "POP > 50000");
    auto error = maptest::ExpectComError([&] { layer->DefinitionExpression("POP >"); });
    EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80004005u);
    EXPECT_EQ(layer->DefinitionExpression(), "POP > 50000");
    EXPECT_EQ(layer->RowCount(nullptr), 3);
}

TEST_F(SelectionTest, StandaloneTableViewAppliesItsExpressionAndRawTableDoesNot) {
    auto table = StandaloneTable::Open("People", People(), "", "AGE > 40");
    EXPECT_EQ(table->RowCount(nullptr), 2);
    EXPECT_EQ(table->Table()->RowCount(nullptr), 3);
    EXPECT_EQ(table->Table(), table->Table()) << "the raw table is one object";
}

TEST_F(SelectionTest, SpatialFilterInMapCoordinatesSelectsInTheLayersOwnReference) {
    // The zone polygons are in web mercator; the filter's point is in degrees.
    auto zones = FeatureLayer::Open("Zones", Zones());
    SpatialFilter filter;
    filter.GeometryField("Shape");
    filter.SpatialRel(1);
    filter.Geometry(Geometry::FromWkt("POINT (20 70)", SpatialReference::FromEpsg(4326)));
    zones->SelectFeatures(&filter, 1, false);
    EXPECT_EQ(Selected(zones->SelectionSet()), Ids({1}));
}

TEST_F(SelectionTest, SelectedGraphicsInMapCoordinatesSelectInALayerOfAnotherReference) {
    // The map draws in degrees (its first layer); the zones are in web mercator.
    Map map;
    auto cities = FeatureLayer::Open("Cities", Cities());
    auto zones = FeatureLayer::Open("Zones", Zones());
    map.AddLayer(cities);
    map.AddLayer(zones);
    auto graphics = map.GraphicsLayer();
    for (const char* wkt : {"POINT (20 70)", "POLYGON ((9 59,12 59,12 61,9 61,9 59))", "POINT (40 40)"}) {
        auto element = std::make_shared<Element>(Geometry::FromWkt(wkt));
        graphics->AddElement(element);
        graphics->SelectElement(element);
    }
    SpatialFilter filter;
    filter.GeometryField("Shape");
    filter.SpatialRel(1);
    for (const auto& layer : {cities, zones}) {
        layer->Clear();
        auto elements = graphics->SelectedElements();
        elements->Reset();
        while (auto element = elements->Next()) {
            EXPECT_TRUE(element->Geometry().SpatialReference().IsSame(SpatialReference::FromEpsg(4326)));
            filter.Geometry(element->Geometry());
            layer->SelectFeatures(&filter, 1, false);
        }
    }
    EXPECT_EQ(Selected(cities->SelectionSet()), Ids({0})) << "Oslo lies in the rectangle";
    EXPECT_EQ(Selected(zones->SelectionSet()), Ids({0, 1}));
}

}  // namespace
