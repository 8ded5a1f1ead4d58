#include <gtest/gtest.h>

#include "MapCommandTestSupport.h"
#include "platform/data/Geometry.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Graphics.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/CommandTable.h"

namespace mapcmdtest {
namespace {

namespace info = tessaly::info;

// Boxes in map coordinates (longitude, latitude) around places of the test data.
constexpr const char* kAroundOslo = "POLYGON ((10 59, 11 59, 11 60.2, 10 60.2, 10 59))";
constexpr const char* kAroundBergen = "POLYGON ((5 60, 6 60, 6 61, 5 61, 5 60))";
constexpr const char* kAroundTromso = "POLYGON ((18 69, 20 69, 20 70, 18 70, 18 69))";
constexpr const char* kAroundAlesund = "POLYGON ((6 62, 7 62, 7 63, 6 63, 6 62))";
constexpr const char* kOpenSea = "POLYGON ((0 50, 1 50, 1 51, 0 51, 0 50))";

class SelectByGraphicsCommandTest : public MapCommandTest {
protected:
    void SetUp() override {
        cities_ = Cities();
        FocusMap()->AddLayer(cities_);
    }

    // Puts a graphic on the focus map, selected or not.
    void Graphic(const char* wkt, bool selected = true) const {
        const auto element = std::make_shared<platform::Element>(platform::Geometry::FromWkt(wkt));
        FocusMap()->GraphicsLayer()->AddElement(element);
        if (selected) FocusMap()->GraphicsLayer()->SelectElement(element);
    }

    platform::HRESULT Click() const { return Command(info::cmdSelByGraphic)->OnClick(); }

    std::shared_ptr<platform::FeatureLayer> cities_;
};

TEST_F(SelectByGraphicsCommandTest, TwoSelectedGraphicsAddTheirFeaturesToOneClearedSelection) {
    Graphic(kAroundOslo);
    Graphic(kAroundTromso, false);
    Graphic(kAroundBergen);
    Select(*cities_, {3});
    SelectItems({cities_});

    EXPECT_EQ(Click(), platform::S_OK);

    EXPECT_EQ(Selected(*cities_), (Ids{0, 1}));
    const auto& events = host_->Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, Event::PartialRefresh);
    EXPECT_EQ(events[1].kind, Event::SelectionChanged);  // once, right after clearing
    EXPECT_EQ(events[2].kind, Event::PartialRefresh);
    EXPECT_EQ(events[2].phase, 4);
}

TEST_F(SelectByGraphicsCommandTest, NothingUnderTheGraphicsEmptiesTheSelection) {
    Graphic(kOpenSea);
    Select(*cities_, {0, 2});
    SelectItems({cities_});
    Click();
    EXPECT_EQ(Selected(*cities_), Ids{});
}

TEST_F(SelectByGraphicsCommandTest, EachLayerOfASetGetsEveryGraphicAndMapsAreSkipped) {
    auto harbours = Harbours();
    FocusMap()->AddLayer(harbours);
    Graphic(kAroundOslo);
    Graphic(kAroundAlesund);
    Select(*harbours, {2});
    SelectItems({FocusMap(), cities_, People(), harbours});

    Click();

    EXPECT_EQ(Selected(*cities_), Ids{0});
    EXPECT_EQ(Selected(*harbours), Ids{1});
    EXPECT_EQ(Count(Event::SelectionChanged), 2u);
}

TEST_F(SelectByGraphicsCommandTest, GraphicsComeFromTheFocusMapForALayerOfAnotherMap) {
    auto elsewhere = Cities("Other Cities");
    auto other = AddMap("Other");
    other->AddLayer(elsewhere);
    other->GraphicsLayer()->AddElement(std::make_shared<platform::Element>(platform::Geometry::FromWkt(kAroundTromso)));
    other->GraphicsLayer()->SelectElement(other->GraphicsLayer()->Element(0));
    Graphic(kAroundBergen);
    SelectItems({elsewhere});

    Click();

    EXPECT_EQ(Selected(*elsewhere), Ids{1});
}

TEST_F(SelectByGraphicsCommandTest, EnabledNeedsAValidFeatureLayerAndASelectedGraphic) {
    struct Case {
        const char* name;
        std::vector<std::shared_ptr<platform::HostObject>> items;
        bool graphicSelected;
        bool enabled;
    };
    const Case cases[] = {
        {"layer and graphic", {Cities()}, true, true},
        {"layer without a selected graphic", {Cities()}, false, false},
        {"table", {People()}, true, false},
        {"set of invalid layers and tables", {Missing(), People()}, true, false},
        {"set with a valid and an invalid layer", {Missing(), Cities()}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FocusMap()->GraphicsLayer()->DeleteAllElements();
        Graphic(kAroundOslo, c.graphicSelected);
        SelectItems({});
        for (const auto& item : c.items) Document()->CurrentContentsView()->AddToSelectedItems(item);
        EXPECT_EQ(Enabled(*Command(info::cmdSelByGraphic)), c.enabled);
    }
}

TEST_F(SelectByGraphicsCommandTest, FailureGoesToTheHostUnreported) {
    auto lost = Missing();
    Graphic(kAroundOslo);
    SelectItems({cities_, lost});

    EXPECT_NE(Click(), platform::S_OK);

    EXPECT_EQ(Selected(*cities_), Ids{0});  // done before the failure, and kept
    EXPECT_EQ(Count(Event::PartialRefresh), 1u);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(SelectByGraphicsCommandTest, ClickInAnotherViewDoesNothing) {
    Graphic(kAroundOslo);
    UseView("Selection");
    SelectItems({cities_});
    EXPECT_EQ(Click(), platform::S_OK);
    EXPECT_EQ(Selected(*cities_), Ids{});
    EXPECT_TRUE(host_->Events().empty());
}

}  // namespace
}  // namespace mapcmdtest
