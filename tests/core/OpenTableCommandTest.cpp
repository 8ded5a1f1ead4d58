#include <gtest/gtest.h>

#include <filesystem>

#include "MapCommandTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableWindow.h"
#include "src/core/CommandTable.h"

namespace mapcmdtest {
namespace {

namespace info = tessaly::info;

class OpenTableCommandTest : public MapCommandTest {
protected:
    std::vector<const platform::HostObject*> WindowTargets() const {
        std::vector<const platform::HostObject*> targets;
        for (const auto& window : host_->OpenTableWindows()) targets.push_back(window->Target().get());
        return targets;
    }
};

TEST_F(OpenTableCommandTest, SetOpensAWindowForEachLayerAndTableInSetOrder) {
    auto cities = Cities();
    auto harbours = Harbours();
    auto people = People();
    FocusMap()->AddLayer(cities);
    FocusMap()->AddLayer(harbours);
    FocusMap()->AddStandaloneTable(people);
    SelectItems({harbours, people, FocusMap(), cities});

    auto command = Command(info::OpenTable);
    ASSERT_TRUE(Enabled(*command));
    EXPECT_EQ(command->OnClick(), platform::S_OK);

    EXPECT_EQ(WindowTargets(), (std::vector<const platform::HostObject*>{harbours.get(), people.get(), cities.get()}));
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(OpenTableCommandTest, InvalidSecondMemberStopsTheClickAfterItsMessage) {
    auto cities = Cities();
    auto lost = Missing();
    auto people = People();
    FocusMap()->AddLayer(cities);
    FocusMap()->AddLayer(lost);
    FocusMap()->AddStandaloneTable(people);
    SelectItems({cities, lost, people});

    EXPECT_EQ(Command(info::OpenTable)->OnClick(), platform::S_OK);

    EXPECT_EQ(WindowTargets(), (std::vector<const platform::HostObject*>{cities.get()}));
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text,
              "There is something wrong with Lost Roads!  It is not a valid layer.  Unable to open table...");
    EXPECT_EQ(ui_->MessageBoxes()[0].style, platform::vbInformation);
    EXPECT_EQ(ui_->MessageBoxes()[0].title, "Problem with Data:");
}

TEST_F(OpenTableCommandTest, InvalidTableAloneGetsTheTableTail) {
    auto lost = MissingTable();
    FocusMap()->AddStandaloneTable(lost);
    SelectItems({lost});

    auto command = Command(info::OpenTable);
    EXPECT_TRUE(Enabled(*command));  // validity is not asked before the click
    command->OnClick();

    EXPECT_TRUE(host_->OpenTableWindows().empty());
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text,
              "There is something wrong with Lost Table!  It is not a valid table.  Unable to open table...");
}

TEST_F(OpenTableCommandTest, OtherItemsAndViewsDisableItAndTheClickDoesNothing) {
    auto cities = Cities();
    auto group = std::make_shared<platform::GroupLayer>("Towns");
    group->Add(cities);
    FocusMap()->AddLayer(group);

    struct Case {
        const char* name;
        const char* view;
        std::shared_ptr<platform::HostObject> item;
    };
    const Case cases[] = {
        {"group layer", "Display", group},
        {"map", "Source", FocusMap()},
        {"nothing selected", "Display", nullptr},
        {"selection view", "Selection", cities},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseView(c.view);
        SelectItems({});
        if (c.item) SelectItems({c.item});
        auto command = Command(info::OpenTable);
        EXPECT_FALSE(Enabled(*command));
        EXPECT_EQ(command->OnClick(), platform::S_OK);
        EXPECT_TRUE(host_->OpenTableWindows().empty());
        EXPECT_TRUE(ui_->MessageBoxes().empty());
    }
}

TEST_F(OpenTableCommandTest, LayerWhoseDataWentMissingInASavedDocumentIsRefused) {
    const std::string document = (folder_ / "lesson.tmd").generic_string();
    FocusMap()->AddLayer(Layer("Depths", "depths.shp"));
    Document()->Save(document);
    for (const char* extension : {".shp", ".shx", ".dbf", ".prj"})
        std::filesystem::remove(folder_ / "data" / (std::string("depths") + extension));

    app_->OpenDocument(document);
    const auto layer = FocusMap()->Layer(0);
    ASSERT_FALSE(layer->Valid());
    SelectItems({layer});
    Command(info::OpenTable)->OnClick();

    EXPECT_TRUE(host_->OpenTableWindows().empty());
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text,
              "There is something wrong with Depths!  It is not a valid layer.  Unable to open table...");
}

TEST_F(OpenTableCommandTest, FailingClickShowsThePlainBoxAndKeepsEarlierWindows) {
    auto cities = Cities();
    auto people = People();
    FocusMap()->AddLayer(cities);
    FocusMap()->AddStandaloneTable(people);
    SelectItems({people});
    auto command = Command(info::OpenTable);
    command->OnClick();

    host_->refuseTableWindows = true;
    SelectItems({cities});
    EXPECT_EQ(command->OnClick(), platform::S_OK);

    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text,
              "ICommand_OnClick OpenTable \r\n-2147467259\r\nTableWindow\r\nThe host cannot open the window.");
    EXPECT_EQ(ui_->MessageBoxes()[0].style, platform::vbOKOnly);
    EXPECT_EQ(ui_->MessageBoxes()[0].title, platform::kDefaultMessageBoxTitle);
    EXPECT_TRUE(ui_->ErrorReports().empty());
    EXPECT_EQ(host_->OpenTableWindows()[0]->Target(), people);
}

}  // namespace
}  // namespace mapcmdtest
