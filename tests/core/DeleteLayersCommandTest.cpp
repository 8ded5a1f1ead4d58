#include <gtest/gtest.h>

#include "MapCommandTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/Maps.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableWindow.h"
#include "src/core/AttributeTableWindow.h"
#include "src/core/CommandTable.h"

namespace mapcmdtest {
namespace {

namespace info = tessaly::info;
using Names = std::vector<std::string>;

constexpr const char* kHeader =
    "Please click 'OK' to confirm that you wish to delete the following objects:\r\n"
    "------------------------------------------------------- \r\n";

class DeleteLayersCommandTest : public MapCommandTest {
protected:
    Names MapNames() const {
        Names names;
        for (const auto& map : Document()->Maps()->All()) names.push_back(map->Name());
        return names;
    }
    void ClickDelete() const { EXPECT_EQ(Command(info::cmdDeleteSelLayers)->OnClick(), platform::S_OK); }
};

TEST_F(DeleteLayersCommandTest, ConfirmationListsTheSetInOrderAndDeletesInThatOrder) {
    auto cities = Cities();
    auto harbours = Harbours();
    auto people = People();
    FocusMap()->AddLayer(cities);
    FocusMap()->AddStandaloneTable(people);
    auto rivers = AddMap("Rivers");
    auto coast = AddMap("Coast");
    coast->AddLayer(harbours);
    SelectItems({rivers, harbours, std::make_shared<platform::GroupLayer>("Empty Group"), people});

    ClickDelete();

    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text, std::string(kHeader) +
                                               "  --> Rivers [Map Frame]\r\n"
                                               "  --> Harbours\r\n"
                                               "  --> People\r\n");
    EXPECT_EQ(ui_->MessageBoxes()[0].style, platform::vbOKCancel);
    EXPECT_EQ(ui_->MessageBoxes()[0].title, "Confirm Deletion:");

    EXPECT_EQ(MapNames(), (Names{"Layers", "Coast"}));
    EXPECT_EQ(LayerNames(*coast), Names{});
    EXPECT_EQ(LayerNames(*FocusMap()), Names{"Cities"});
    EXPECT_EQ(TableNames(*FocusMap()), Names{});
    EXPECT_EQ(Document()->CurrentContentsView()->SelectedItems().size(), 1u);  // the group stays selected
    EXPECT_EQ(Count(Event::ContentsUpdated), 1u);
    const auto refreshes = Events(Event::PartialRefresh);
    ASSERT_EQ(refreshes.size(), 1u);
    EXPECT_EQ(refreshes[0].phase, 6);
    EXPECT_EQ(refreshes[0].object, nullptr);
}

TEST_F(DeleteLayersCommandTest, MapSelectedAloneHasNoMapFrameSuffix) {
    auto rivers = AddMap("Rivers");
    SelectItems({rivers});
    ClickDelete();
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text, std::string(kHeader) + "  --> Rivers\r\n");
    EXPECT_EQ(MapNames(), Names{"Layers"});
}

TEST_F(DeleteLayersCommandTest, DeletingTheOnlyMapAddsLayersFirst) {
    const auto only = FocusMap();
    only->Name("Watershed");
    only->AddLayer(Cities());
    SelectItems({only});

    ClickDelete();

    ASSERT_EQ(Document()->Maps()->Count(), 1);
    const auto replacement = Document()->Maps()->Item(0);
    EXPECT_NE(replacement, only);
    EXPECT_EQ(replacement->Name(), "Layers");
    EXPECT_EQ(replacement->LayerCount(), 0);
    EXPECT_EQ(Document()->FocusMap(), replacement);
    EXPECT_TRUE(Document()->CurrentContentsView()->SelectedItems().empty());
}

TEST_F(DeleteLayersCommandTest, DeletingTheFocusMapAddsNoMapAndActivatesTheFirst) {
    auto first = FocusMap();
    first->Name("First");
    auto second = AddMap("Second");
    auto third = AddMap("Third");
    Document()->ActiveView(second);
    SelectItems({second});

    ClickDelete();

    EXPECT_EQ(MapNames(), (Names{"First", "Third"}));
    EXPECT_EQ(Document()->FocusMap(), first);
}

TEST_F(DeleteLayersCommandTest, SetOfEveryMapLeavesOneNewLayersMap) {
    FocusMap()->Name("First");
    auto second = AddMap("Second");
    SelectItems({second, FocusMap()});

    ClickDelete();

    EXPECT_EQ(MapNames(), Names{"Layers"});
    EXPECT_EQ(Document()->FocusMap(), Document()->Maps()->Item(0));
}

TEST_F(DeleteLayersCommandTest, TableInTwoMapsAndLayerInTwoMapsLeaveBoth) {
    auto people = People();
    auto cities = Cities();
    auto other = AddMap("Other");
    FocusMap()->AddStandaloneTable(People("Staff"));
    FocusMap()->AddStandaloneTable(people);
    other->AddStandaloneTable(people);
    FocusMap()->AddLayer(cities);
    auto group = std::make_shared<platform::GroupLayer>("Group");
    group->Add(cities);
    group->Add(Harbours());
    other->AddLayer(group);
    SelectItems({people, cities});

    ClickDelete();

    EXPECT_EQ(TableNames(*FocusMap()), Names{"Staff"});
    EXPECT_EQ(TableNames(*other), Names{});
    EXPECT_EQ(LayerNames(*FocusMap()), Names{});
    EXPECT_EQ(LayerNames(*other), (Names{"Group", "Harbours"}));
    EXPECT_TRUE(Document()->CurrentContentsView()->SelectedItems().empty());
}

TEST_F(DeleteLayersCommandTest, CancelDeletesNothingButTheWindowsAreClosed) {
    auto cities = Cities();
    auto people = People();
    FocusMap()->AddLayer(cities);
    FocusMap()->AddStandaloneTable(people);
    tessaly::OpenAttributeTableWindow(cities, app_);
    tessaly::OpenAttributeTableWindow(people, app_);
    SelectItems({cities, people});
    ui_->QueueAnswer(platform::vbCancel);

    ClickDelete();

    EXPECT_TRUE(host_->OpenTableWindows().empty());
    EXPECT_EQ(Count(Event::TableWindowClosed), 2u);
    EXPECT_EQ(LayerNames(*FocusMap()), Names{"Cities"});
    EXPECT_EQ(TableNames(*FocusMap()), Names{"People"});
    EXPECT_EQ(Count(Event::ContentsUpdated), 0u);
    EXPECT_EQ(Count(Event::PartialRefresh), 0u);
}

TEST_F(DeleteLayersCommandTest, InvalidLayersAndTablesAreDeletedLikeAnyOther) {
    auto lost = Missing();
    auto lostTable = MissingTable();
    FocusMap()->AddLayer(lost);
    FocusMap()->AddStandaloneTable(lostTable);
    SelectItems({lost, lostTable});

    auto command = Command(info::cmdDeleteSelLayers);
    EXPECT_TRUE(Enabled(*command));
    command->OnClick();

    EXPECT_EQ(ui_->MessageBoxes()[0].text, std::string(kHeader) + "  --> Lost Roads\r\n  --> Lost Table\r\n");
    EXPECT_EQ(LayerNames(*FocusMap()), Names{});
    EXPECT_EQ(TableNames(*FocusMap()), Names{});
}

TEST_F(DeleteLayersCommandTest, SetOfOtherKindsShowsOnlyTheHeaderAndStillRefreshes) {
    auto group = std::make_shared<platform::GroupLayer>("Group");
    group->Add(Cities());
    FocusMap()->AddLayer(group);
    SelectItems({group, std::make_shared<platform::GroupLayer>("Another")});

    auto command = Command(info::cmdDeleteSelLayers);
    EXPECT_TRUE(Enabled(*command));
    command->OnClick();

    EXPECT_EQ(ui_->MessageBoxes()[0].text, kHeader);
    EXPECT_EQ(LayerNames(*FocusMap()), (Names{"Group", "Cities"}));
    EXPECT_EQ(Count(Event::ContentsUpdated), 1u);
    EXPECT_EQ(Count(Event::PartialRefresh), 1u);
}

TEST_F(DeleteLayersCommandTest, EnabledForLayersTablesMapsAndSetsInDisplayOrSource) {
    struct Case {
        const char* name;
        const char* view;
        std::shared_ptr<platform::HostObject> item;
        bool enabled;
    };
    const Case cases[] = {
        {"map", "Display", FocusMap(), true},
        {"invalid layer", "Source", Missing(), true},
        {"table", "Display", People(), true},
        {"group layer", "Display", std::make_shared<platform::GroupLayer>("Group"), false},
        {"nothing", "Display", nullptr, false},
        {"selection view", "Selection", Cities(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseView(c.view);
        SelectItems({});
        if (c.item) SelectItems({c.item});
        EXPECT_EQ(Enabled(*Command(info::cmdDeleteSelLayers)), c.enabled);
    }
}

TEST_F(DeleteLayersCommandTest, SavedDocumentReloadedDeletesFromTheRightMap) {
    FocusMap()->Name("Lowlands");
    FocusMap()->AddLayer(Cities());
    AddMap("Highlands")->AddLayer(Harbours());
    const std::string path = (folder_ / "lesson.tmd").generic_string();
    Document()->Save(path);

    app_->OpenDocument(path);
    const auto highlands = Document()->Maps()->Item(1);
    SelectItems({highlands->Layer(0), Document()->Maps()->Item(0)});
    ClickDelete();

    EXPECT_EQ(ui_->MessageBoxes()[0].text, std::string(kHeader) + "  --> Harbours\r\n  --> Lowlands [Map Frame]\r\n");
    EXPECT_EQ(MapNames(), Names{"Highlands"});
    EXPECT_EQ(LayerNames(*highlands), Names{});
    EXPECT_EQ(Document()->FocusMap(), highlands);
}

}  // namespace
}  // namespace mapcmdtest
