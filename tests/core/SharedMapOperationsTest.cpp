#include <gtest/gtest.h>

#include "MapCommandTestSupport.h"
#include "platform/data/SelectionSet.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableWindow.h"
#include "platform/map/ContentsView.h"
#include "platform/map/ItemSet.h"
#include "src/core/AttributeTableWindow.h"
#include "src/core/ContentsSelection.h"
#include "src/core/ProblemWithData.h"
#include "src/core/SelectionSwitch.h"

namespace mapcmdtest {
namespace {

using tessaly::OpenAttributeTableWindow;

class SharedMapOperationsTest : public MapCommandTest {};

struct ProblemCase {
    const char* name;
    tessaly::ProblemTails tails;
    bool table;
    const char* text;
};

const ProblemCase kProblems[] = {
    {"open table, layer", tessaly::kOpenTableProblem, false,
     "There is something wrong with Lost Roads!  It is not a valid layer.  Unable to open table..."},
    {"open table, table", tessaly::kOpenTableProblem, true,
     "There is something wrong with Lost Table!  It is not a valid table.  Unable to open table..."},
    {"select all, layer", tessaly::kSelectAllProblem, false,
     "There is something wrong with Lost Roads!  It is not a valid layer.  Unable to set selection..."},
    {"select all, table", tessaly::kSelectAllProblem, true,
     "There is something wrong with Lost Table!  It is not a valid table.  Unable to set selection..."},
    {"switch, layer", tessaly::kSelectSwitchProblem, false,
     "There is something wrong with Lost Roads!  It is not a valid layer.  Unable to switch selection..."},
    {"switch, table", tessaly::kSelectSwitchProblem, true,
     "There is something wrong with Lost Table!  It is not a valid table.  Unable to switch selection..."},
    {"summarize, layer", tessaly::kSummarizeProblem, false,
     "There is something wrong with Lost Roads!  It is not a valid layer.  Unable to summarize this layer..."},
    {"summarize, table says layer too", tessaly::kSummarizeProblem, true,
     "There is something wrong with Lost Table!  It is not a valid table.  Unable to summarize this layer..."},
};

TEST_F(SharedMapOperationsTest, ProblemWithDataNamesTheItemWithTheCommandsTail) {
    for (const auto& c : kProblems) {
        SCOPED_TRACE(c.name);
        const auto before = ui_->MessageBoxes().size();
        if (c.table)
            tessaly::ShowProblemWithData(*MissingTable(), c.tails);
        else
            tessaly::ShowProblemWithData(*Missing(), c.tails);
        ASSERT_EQ(ui_->MessageBoxes().size(), before + 1);
        const auto& box = ui_->MessageBoxes().back();
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.style, platform::vbInformation);
        EXPECT_EQ(box.title, "Problem with Data:");
    }
}

TEST_F(SharedMapOperationsTest, LayerWindowIsOpenedWithTheHostsSettings) {
    auto layer = Harbours();
    OpenAttributeTableWindow(layer, app_);

    ASSERT_EQ(host_->OpenTableWindows().size(), 1u);
    const auto& window = host_->OpenTableWindows()[0];
    EXPECT_EQ(window->Layer(), layer);
    EXPECT_EQ(window->Application(), app_);
    EXPECT_EQ(window->Option(), 2);
    EXPECT_TRUE(window->Flag());
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(Count(Event::TableWindowShown), 1u);
}

TEST_F(SharedMapOperationsTest, TableWindowIsOpenedWithTheHostsSettings) {
    auto table = People();
    OpenAttributeTableWindow(table, app_);

    ASSERT_EQ(host_->OpenTableWindows().size(), 1u);
    const auto& window = host_->OpenTableWindows()[0];
    EXPECT_EQ(window->StandaloneTable(), table);
    EXPECT_EQ(window->Application(), app_);
    EXPECT_EQ(window->Option(), 2);
    EXPECT_TRUE(window->Flag());
    EXPECT_FALSE(window->Flag2());
}

TEST_F(SharedMapOperationsTest, OpenWindowIsShownAgainNotDoubled) {
    auto layer = Cities();
    auto table = People();
    OpenAttributeTableWindow(layer, app_);
    OpenAttributeTableWindow(table, app_);
    const auto layerWindow = host_->OpenTableWindows()[0];
    const auto tableWindow = host_->OpenTableWindows()[1];
    layerWindow->Show(false);
    tableWindow->Show(false);

    OpenAttributeTableWindow(layer, app_);
    OpenAttributeTableWindow(table, app_);

    ASSERT_EQ(host_->OpenTableWindows().size(), 2u);
    EXPECT_EQ(host_->OpenTableWindows()[0], layerWindow);
    EXPECT_EQ(host_->OpenTableWindows()[1], tableWindow);
    EXPECT_TRUE(layerWindow->IsVisible());
    EXPECT_TRUE(tableWindow->IsVisible());
    EXPECT_EQ(Count(Event::TableWindowShown), 4u);
}

TEST_F(SharedMapOperationsTest, AnyObjectOpensOnlyLayersAndTables) {
    OpenAttributeTableWindow(std::shared_ptr<platform::HostObject>(FocusMap()), app_);
    EXPECT_TRUE(host_->OpenTableWindows().empty());

    OpenAttributeTableWindow(std::shared_ptr<platform::HostObject>(People()), app_);
    OpenAttributeTableWindow(std::shared_ptr<platform::HostObject>(Cities()), app_);
    EXPECT_EQ(host_->OpenTableWindows().size(), 2u);
}

TEST_F(SharedMapOperationsTest, SwitchingTwiceRestoresTheSelection) {
    auto layer = Cities();
    auto table = People();
    Select(*layer, {0, 2});
    Select(*table, {1});

    tessaly::SwitchSelection(*FocusMap(), layer);
    tessaly::SwitchSelection(*FocusMap(), table);
    EXPECT_EQ(Selected(*layer), (Ids{1, 3}));
    EXPECT_EQ(Selected(*table), (Ids{0, 2}));

    tessaly::SwitchSelection(*FocusMap(), layer);
    tessaly::SwitchSelection(*FocusMap(), table);
    EXPECT_EQ(Selected(*layer), (Ids{0, 2}));
    EXPECT_EQ(Selected(*table), (Ids{1}));
    EXPECT_EQ(Count(Event::SelectionChanged), 4u);
}

TEST_F(SharedMapOperationsTest, SwitchRefreshesTheSelectionBeforeAndAfter) {
    auto layer = Cities();
    tessaly::SwitchSelection(*FocusMap(), layer);

    const auto& events = host_->Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, Event::PartialRefresh);
    EXPECT_EQ(events[1].kind, Event::SelectionChanged);
    EXPECT_EQ(events[2].kind, Event::PartialRefresh);
    for (const auto& refresh : Events(Event::PartialRefresh)) {
        EXPECT_EQ(refresh.phase, 4);
        EXPECT_EQ(refresh.object, nullptr);
        EXPECT_FALSE(refresh.hasEnvelope);
    }
}

TEST_F(SharedMapOperationsTest, SwitchOfAnotherKindOnlyRefreshes) {
    tessaly::SwitchSelection(*FocusMap(), FocusMap());
    EXPECT_EQ(Count(Event::PartialRefresh), 2u);
    EXPECT_EQ(Count(Event::SelectionChanged), 0u);
}

TEST_F(SharedMapOperationsTest, ClickedItemNeedsDisplayOrSourceExactlyAndAnAcceptedKind) {
    using namespace tessaly;
    auto cities = Cities();
    struct Case {
        const char* view;
        std::shared_ptr<platform::HostObject> item;
        unsigned kinds;
        bool taken;
    };
    const Case cases[] = {
        {"Display", cities, kFeatureLayerItem, true},
        {"Source", cities, kFeatureLayerItem | kMapItem, true},
        {"display", cities, kFeatureLayerItem, false},
        {"Selection", cities, kFeatureLayerItem, false},
        {"Display", cities, kStandaloneTableItem | kItemSetItem, false},
        {"Display", FocusMap(), kMapItem, true},
        {"Display", nullptr, kFeatureLayerItem, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        platform::ContentsView view(c.view);
        if (c.item) view.AddToSelectedItems(c.item);
        EXPECT_EQ(ClickedItem(view, c.kinds) != nullptr, c.taken);
    }
}

TEST_F(SharedMapOperationsTest, EmptySetEndsTheWalkAtOnce) {
    int acted = 0;
    const bool completed = tessaly::ForEachValidLayerOrTable(std::make_shared<platform::ItemSet>(),
                                                             tessaly::kOpenTableProblem, [&](const auto&) { ++acted; });
    EXPECT_FALSE(completed);
    EXPECT_EQ(acted, 0);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

}  // namespace
}  // namespace mapcmdtest
