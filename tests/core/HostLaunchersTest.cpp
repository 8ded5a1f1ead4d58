#include <gtest/gtest.h>

#include "MapCommandTestSupport.h"
#include "platform/com/ComError.h"
#include "platform/data/Field.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/CommandBars.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/UID.h"
#include "src/core/CommandTable.h"

namespace mapcmdtest {
namespace {

namespace info = tessaly::info;

class HostLaunchersTest : public MapCommandTest {};

TEST_F(HostLaunchersTest, EachLauncherRunsItsHostCommand) {
    struct Case {
        const tessaly::ClassInfo* command;
        const char* uid;
    };
    for (const Case& c : {Case{&info::cmdHistogramStats, platform::StatisticsCommandUID},
                          Case{&info::cmdSelByLocation, platform::SelectByLocationCommandUID},
                          Case{&info::cmdSelByAttributes, platform::SelectByAttributesCommandUID}}) {
        SCOPED_TRACE(c.command->module);
        host_->ClearEvents();
        EXPECT_EQ(Command(*c.command)->OnClick(), platform::S_OK);
        const auto runs = Events(Event::HostCommandExecuted);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].text, c.uid);
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(HostLaunchersTest, LocationAndAttributeLaunchersAreAlwaysEnabled) {
    UseView("Selection");
    EXPECT_TRUE(Enabled(*Command(info::cmdSelByLocation)));
    EXPECT_TRUE(Enabled(*Command(info::cmdSelByAttributes)));
}

TEST_F(HostLaunchersTest, FailingHostCommandGoesToTheErrorReport) {
    Document()->CommandBars()->Add(std::make_shared<platform::CommandItem>(
        platform::SelectByLocationCommandUID, "Select By Location",
        [] { throw platform::ComError(kRefused, "SelectByLocation", "No map to select from."); }));

    EXPECT_EQ(Command(info::cmdSelByLocation)->OnClick(), platform::S_OK);

    EXPECT_TRUE(ui_->MessageBoxes().empty());
    ASSERT_EQ(ui_->ErrorReports().size(), 1u);
    EXPECT_NE(ui_->ErrorReports()[0].find("\tICommand_OnClick cmdSelByLocation \r\n"), std::string::npos);
    EXPECT_NE(ui_->ErrorReports()[0].find("\t-2147467259\r\n"), std::string::npos);
}

TEST_F(HostLaunchersTest, StatisticsLauncherScansEveryMapAndNestedLayers) {
    struct Case {
        const char* name;
        std::function<void()> build;  // fills the new document
        bool enabled;
    };
    const Case cases[] = {
        {"no content", [] {}, false},
        {"layers and tables without selection",
         [&] {
             FocusMap()->AddLayer(Cities());
             FocusMap()->AddStandaloneTable(People());
         },
         false},
        {"selection in a table of another map",
         [&] {
             FocusMap()->AddLayer(Cities());
             auto people = People();
             AddMap("Second")->AddStandaloneTable(people);
             Select(*people, {1});
         },
         true},
        {"selection in a layer nested two groups deep in another map",
         [&] {
             auto harbours = Harbours();
             auto outer = std::make_shared<platform::GroupLayer>("Outer");
             auto inner = std::make_shared<platform::GroupLayer>("Inner");
             inner->Add(harbours);
             outer->Add(inner);
             AddMap("Second")->AddLayer(Cities());
             AddMap("Third")->AddLayer(outer);
             Select(*harbours, {2});
         },
         true},
        {"invalid layer and table, whose selections are absent",
         [&] {
             FocusMap()->AddLayer(Missing());
             FocusMap()->AddStandaloneTable(MissingTable());
         },
         false},
        {"invalid layer in the focus map, selection in another map",
         [&] {
             FocusMap()->AddLayer(Missing());
             auto cities = Cities();
             AddMap("Second")->AddLayer(cities);
             Select(*cities, {0});
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        app_->NewDocument();
        c.build();
        EXPECT_EQ(Enabled(*Command(info::cmdHistogramStats)), c.enabled);
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

class SummarizeCommandTest : public MapCommandTest {};

TEST_F(SummarizeCommandTest, DefaultFieldIsFirstTextElseFirstNumberElseFieldZero) {
    struct Case {
        const char* name;
        std::shared_ptr<platform::HostObject> item;
        const char* field;
    };
    const Case cases[] = {
        {"table (6, 4, 1): the text field", People(), "NAME"},
        {"layer (6, 7, 3): the number", Layer("Levels", "levels.shp"), "LEVEL"},
        {"layer (6, 7): field 0", Layer("Bare", "world.gpkg", "bare"), "fid"},
        {"layer (6, 7, 3, 4): the text after the number", Layer("Depths", "depths.shp"), "LABEL"},
        {"geopackage layer (6, 7, 4, 1)", Harbours(), "NAME"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host_->ClearEvents();
        SelectItems({c.item});
        auto command = Command(info::cmdSummarize);
        ASSERT_TRUE(Enabled(*command));
        EXPECT_EQ(command->OnClick(), platform::S_OK);

        const auto dialogs = Events(Event::SummarizeDialog);
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].text, c.field);
        EXPECT_EQ(dialogs[0].object, c.item.get());  // the layer's or table's own view
        EXPECT_TRUE(dialogs[0].flag);
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(SummarizeCommandTest, InvalidLayerOrTableIsRefusedWithItsMessage) {
    struct Case {
        std::shared_ptr<platform::HostObject> item;
        const char* text;
    };
    for (const Case& c :
         {Case{Missing(), "There is something wrong with Lost Roads!  It is not a valid layer.  "
                          "Unable to summarize this layer..."},
          Case{MissingTable(), "There is something wrong with Lost Table!  It is not a valid table.  "
                               "Unable to summarize this layer..."}}) {
        SelectItems({c.item});
        auto command = Command(info::cmdSummarize);
        EXPECT_FALSE(Enabled(*command));
        command->OnClick();
        ASSERT_FALSE(ui_->MessageBoxes().empty());
        EXPECT_EQ(ui_->MessageBoxes().back().text, c.text);
        EXPECT_EQ(ui_->MessageBoxes().back().style, platform::vbInformation);
        EXPECT_EQ(ui_->MessageBoxes().back().title, "Problem with Data:");
    }
    EXPECT_EQ(Count(Event::SummarizeDialog), 0u);
}

// The click itself asks only for the kind of the document's selected item.
TEST_F(SummarizeCommandTest, SetsOtherItemsAndOtherViewsDisableIt) {
    struct Case {
        const char* name;
        const char* view;
        std::vector<std::shared_ptr<platform::HostObject>> items;
        bool clickOpensDialog;
    };
    const Case cases[] = {
        {"set", "Display", {Cities(), People()}, false},
        {"map", "Display", {FocusMap()}, false},
        {"nothing", "Source", {}, false},
        {"selection view", "Selection", {Cities()}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseView(c.view);
        SelectItems({});
        for (const auto& item : c.items) Document()->CurrentContentsView()->AddToSelectedItems(item);
        host_->ClearEvents();
        auto command = Command(info::cmdSummarize);
        EXPECT_FALSE(Enabled(*command));
        command->OnClick();
        EXPECT_EQ(Count(Event::SummarizeDialog), c.clickOpensDialog ? 1u : 0u);
    }
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

}  // namespace
}  // namespace mapcmdtest
