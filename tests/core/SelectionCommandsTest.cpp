#include <gtest/gtest.h>

#include "MapCommandTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/CommandTable.h"

namespace mapcmdtest {
namespace {

namespace info = tessaly::info;

class SelectionCommandsTest : public MapCommandTest {};

TEST_F(SelectionCommandsTest, SelectAllThenSwitchTwiceRestoresEverything) {
    auto cities = Cities();
    auto people = People();
    cities->DefinitionExpression("POP > 50000");
    FocusMap()->AddLayer(cities);
    FocusMap()->AddStandaloneTable(people);
    SelectItems({cities, people});
    auto selectAll = Command(info::cmdSelectAll);
    auto selectSwitch = Command(info::cmdSelectSwitch);

    selectAll->OnClick();
    EXPECT_EQ(Selected(*cities), (Ids{0, 1, 2}));
    EXPECT_EQ(Selected(*people), (Ids{0, 1, 2}));

    selectSwitch->OnClick();
    EXPECT_EQ(Selected(*cities), Ids{});
    EXPECT_EQ(Selected(*people), Ids{});

    selectSwitch->OnClick();
    EXPECT_EQ(Selected(*cities), (Ids{0, 1, 2}));
    EXPECT_EQ(Selected(*people), (Ids{0, 1, 2}));
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(SelectionCommandsTest, ClickRefreshesOnceAroundTheWholeSet) {
    auto cities = Cities();
    auto people = People();
    FocusMap()->AddLayer(cities);
    SelectItems({cities, people});
    Command(info::cmdSelectSwitch)->OnClick();

    const auto& events = host_->Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events.front().kind, Event::PartialRefresh);
    EXPECT_EQ(events[1].kind, Event::SelectionChanged);
    EXPECT_EQ(events[2].kind, Event::SelectionChanged);
    EXPECT_EQ(events.back().kind, Event::PartialRefresh);
    EXPECT_EQ(events.back().phase, 4);
}

struct InvalidMemberCase {
    const char* name;
    const tessaly::ClassInfo* command;
    const char* message;
};

TEST_F(SelectionCommandsTest, InvalidSecondMemberStopsTheClickAfterItsMessage) {
    const InvalidMemberCase cases[] = {
        {"select all", &info::cmdSelectAll,
         "There is something wrong with Lost Roads!  It is not a valid layer.  Unable to set selection..."},
        {"switch", &info::cmdSelectSwitch,
         "There is something wrong with Lost Roads!  It is not a valid layer.  Unable to switch selection..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto cities = Cities();
        auto lost = Missing();
        auto people = People();
        SelectItems({cities, lost, people});
        host_->ClearEvents();
        const auto boxesBefore = ui_->MessageBoxes().size();

        auto command = Command(*c.command);
        EXPECT_TRUE(Enabled(*command));
        EXPECT_EQ(command->OnClick(), platform::S_OK);

        EXPECT_EQ(Selected(*cities), (Ids{0, 1, 2, 3}));
        EXPECT_EQ(Selected(*people), Ids{});
        ASSERT_EQ(ui_->MessageBoxes().size(), boxesBefore + 1);
        EXPECT_EQ(ui_->MessageBoxes().back().text, c.message);
        EXPECT_EQ(ui_->MessageBoxes().back().style, platform::vbInformation);
        EXPECT_EQ(ui_->MessageBoxes().back().title, "Problem with Data:");
        EXPECT_EQ(Count(Event::PartialRefresh), 1u);  // no closing refresh
    }
}

TEST_F(SelectionCommandsTest, InvalidTableGetsTheTableTail) {
    auto lost = MissingTable();
    SelectItems({lost});
    auto command = Command(info::cmdSelectAll);
    EXPECT_FALSE(Enabled(*command));
    command->OnClick();  // the host may click anyway
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text,
              "There is something wrong with Lost Table!  It is not a valid table.  Unable to set selection...");
}

TEST_F(SelectionCommandsTest, EnabledNeedsAValidFeatureLayerOrTable) {
    auto group = std::make_shared<platform::GroupLayer>("Group");
    struct Case {
        const char* name;
        const char* view;
        std::vector<std::shared_ptr<platform::HostObject>> items;
        bool enabled;
    };
    const Case cases[] = {
        {"valid layer", "Display", {Cities()}, true},
        {"valid table", "Source", {People()}, true},
        {"invalid layer", "Display", {Missing()}, false},
        {"set of tables only", "Display", {People(), People("Staff")}, false},
        {"set with a valid layer and a table", "Display", {People(), Cities()}, true},
        {"set with an invalid layer only", "Display", {Missing(), FocusMap()}, false},
        {"map", "Display", {FocusMap()}, false},
        {"group layer", "Display", {group}, false},
        {"selection view", "Selection", {Cities()}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseView(c.view);
        SelectItems({});
        for (const auto& item : c.items) Document()->CurrentContentsView()->AddToSelectedItems(item);
        EXPECT_EQ(Enabled(*Command(info::cmdSelectAll)), c.enabled);
        EXPECT_EQ(Enabled(*Command(info::cmdSelectSwitch)), c.enabled);
    }
}

TEST_F(SelectionCommandsTest, ClickInAnotherViewDoesNothingAtAll) {
    auto cities = Cities();
    UseView("Selection");
    SelectItems({cities});
    Command(info::cmdSelectAll)->OnClick();
    Command(info::cmdSelectSwitch)->OnClick();
    EXPECT_EQ(Selected(*cities), Ids{});
    EXPECT_TRUE(host_->Events().empty());
}

TEST_F(SelectionCommandsTest, ClearReachesNestedLayersAndTablesAndSkipsInvalidOnes) {
    auto cities = Cities();
    auto harbours = Harbours();
    auto lost = Missing();
    auto people = People();
    auto lostTable = MissingTable();
    auto group = std::make_shared<platform::GroupLayer>("Coast");
    auto inner = std::make_shared<platform::GroupLayer>("Ports");
    inner->Add(harbours);
    group->Add(inner);
    group->Add(lost);
    FocusMap()->AddLayer(cities);
    FocusMap()->AddLayer(group);
    FocusMap()->AddStandaloneTable(lostTable);
    FocusMap()->AddStandaloneTable(people);
    Select(*cities, {1});
    Select(*harbours, {1, 2});
    Select(*people, {0, 2});
    auto elsewhere = Cities("Other Cities");
    AddMap("Other")->AddLayer(elsewhere);
    Select(*elsewhere, {3});

    auto command = Command(info::cmdSelectNone);
    ASSERT_TRUE(Enabled(*command));
    EXPECT_EQ(command->OnClick(), platform::S_OK);

    EXPECT_EQ(Selected(*cities), Ids{});
    EXPECT_EQ(Selected(*harbours), Ids{});
    EXPECT_EQ(Selected(*people), Ids{});
    EXPECT_EQ(Selected(*elsewhere), Ids{3});
    std::vector<std::string> changed;
    for (const auto& event : Events(Event::SelectionChanged)) changed.push_back(event.name);
    EXPECT_EQ(changed, (std::vector<std::string>{"Cities", "Harbours", "People"}));
    EXPECT_EQ(Count(Event::PartialRefresh), 2u);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(SelectionCommandsTest, ClearOnAMapWithoutLayersClearsItsTables) {
    auto people = People();
    FocusMap()->AddStandaloneTable(people);
    Select(*people, {1});

    auto command = Command(info::cmdSelectNone);
    EXPECT_TRUE(Enabled(*command));
    command->OnClick();

    EXPECT_EQ(Selected(*people), Ids{});
    EXPECT_TRUE(ui_->MessageBoxes().empty());
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(SelectionCommandsTest, FailingClicksShowThePlainBox) {
    auto cities = Cities();
    FocusMap()->AddLayer(cities);
    SelectItems({cities});
    host_->refuseSelectionChanges = true;

    struct Case {
        const tessaly::ClassInfo* command;
        const char* firstLine;
    };
    for (const Case& c : {Case{&info::cmdSelectAll, "ICommand_OnClick cmdSelectAll "},
                          Case{&info::cmdSelectSwitch, "ICommand_OnClick cmdSelectSwitch "},
                          Case{&info::cmdSelectNone, "ICommand_OnClick cmdSelectNone "}}) {
        SCOPED_TRACE(c.firstLine);
        host_->ClearEvents();
        EXPECT_EQ(Command(*c.command)->OnClick(), platform::S_OK);
        ASSERT_FALSE(ui_->MessageBoxes().empty());
        EXPECT_EQ(ui_->MessageBoxes().back().text,
                  std::string(c.firstLine) + "\r\n-2147467259\r\nTableSelection\r\nThe host refused the change.");
        EXPECT_EQ(ui_->MessageBoxes().back().style, platform::vbOKOnly);
        EXPECT_EQ(Count(Event::PartialRefresh), 1u);  // no closing refresh
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

}  // namespace
}  // namespace mapcmdtest
