#include <gtest/gtest.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ServerTestSupport.h"
#include "platform/com/ComError.h"
#include "platform/data/Geometry.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "platform/map/ContentsView.h"
#include "platform/map/ICommand.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Graphics.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/ItemSet.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/Maps.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/CommandRules.h"
#include "src/core/CommandTable.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

using platform::HostObject;

// A point shapefile and a dBASE table, written with GDAL into a fresh folder.
void WriteData(const std::filesystem::path& folder) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    ASSERT_NE(driver, nullptr);
    {
        GDALDatasetUniquePtr points(driver->Create((folder / "wells.shp").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        OGRLayer* layer = points->CreateLayer("wells", nullptr, wkbPoint, nullptr);
        OGRFieldDefn name("NAME", OFTString);
        ASSERT_EQ(layer->CreateField(&name), OGRERR_NONE);
        OGRFeatureUniquePtr feature(OGRFeature::CreateFeature(layer->GetLayerDefn()));
        feature->SetField("NAME", "North");
        OGRPoint point(1, 2);
        feature->SetGeometry(&point);
        ASSERT_EQ(layer->CreateFeature(feature.get()), OGRERR_NONE);
    }
    {
        GDALDatasetUniquePtr table(driver->Create((folder / "owners.dbf").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        OGRLayer* layer = table->CreateLayer("owners", nullptr, wkbNone, nullptr);
        OGRFieldDefn name("OWNER", OFTString);
        ASSERT_EQ(layer->CreateField(&name), OGRERR_NONE);
        OGRFeatureUniquePtr row(OGRFeature::CreateFeature(layer->GetLayerDefn()));
        row->SetField("OWNER", "Ann");
        ASSERT_EQ(layer->CreateFeature(row.get()), OGRERR_NONE);
    }
}

class CommandRulesTest : public ::testing::Test {
public:
    CommandRulesTest() { WriteData(folder_.Path()); }

    // Layers and tables over the folder's data, or over data that are gone.

    std::shared_ptr<platform::FeatureLayer> ValidLayer() const {
        auto layer = platform::FeatureLayer::Open("Wells", (folder_.Path() / "wells.shp").string());
        EXPECT_TRUE(layer->Valid()) << layer->OpenError();
        return layer;
    }
    std::shared_ptr<platform::FeatureLayer> InvalidLayer() const {
        auto layer = platform::FeatureLayer::Open("Lost", (folder_.Path() / "gone.shp").string());
        EXPECT_FALSE(layer->Valid());
        return layer;
    }
    std::shared_ptr<platform::StandaloneTable> ValidTable() const {
        auto table = platform::StandaloneTable::Open("Owners", (folder_.Path() / "owners.dbf").string());
        EXPECT_TRUE(table->Valid()) << table->OpenError();
        return table;
    }
    std::shared_ptr<platform::StandaloneTable> InvalidTable() const {
        auto table = platform::StandaloneTable::Open("Lost Table", (folder_.Path() / "gone.dbf").string());
        EXPECT_FALSE(table->Valid());
        return table;
    }

protected:
    std::shared_ptr<platform::Map> FocusMap() const { return document_->FocusMap(); }

    // Selects these items in the document's current view.
    void Select(const std::vector<std::shared_ptr<HostObject>>& items) const {
        document_->CurrentContentsView()->SelectedItem(nullptr);
        for (const auto& item : items) document_->CurrentContentsView()->AddToSelectedItems(item);
    }
    void UseView(const std::string& name) const {
        for (std::int32_t i = 0; i < document_->ContentsViewCount(); ++i) {
            if (document_->ContentsView(i)->Name() == name) document_->CurrentContentsView(document_->ContentsView(i));
        }
        ASSERT_EQ(document_->CurrentContentsView()->Name(), name);
    }

    // A command of the library, created for the application's document.
    platform::ComPtr<platform::ICommand> Command(const ClassInfo& info) const {
        auto command = servertest::Create<platform::ICommand>(info);
        EXPECT_EQ(command->OnCreate(app_), platform::S_OK);
        return command;
    }
    static bool Enabled(platform::ICommand& command) { return servertest::Read(command, &platform::ICommand::Enabled); }

    servertest::TempFolder folder_;
    platform::ScopedHeadlessUi ui_;
    std::shared_ptr<platform::Application> app_ = std::make_shared<platform::Application>();
    std::shared_ptr<platform::MapDocument> document_ = app_->Document();
};

// What each variation of the selected-item rule answers for one selection:
// plain, with validity, without sets (with validity), maps too.
struct SelectedItemCase {
    const char* name;
    bool plain, withValidity, withoutSets, mapsToo;
};

TEST_F(CommandRulesTest, SelectedItemRuleAndItsVariationsByWhatIsSelected) {
    auto group = std::make_shared<platform::GroupLayer>("Group");
    const auto validLayer = ValidLayer();
    const auto invalidLayer = InvalidLayer();
    const auto validTable = ValidTable();
    const auto invalidTable = InvalidTable();
    FocusMap()->AddLayer(validLayer);
    FocusMap()->AddLayer(invalidLayer);
    FocusMap()->AddLayer(group);
    FocusMap()->AddStandaloneTable(validTable);
    FocusMap()->AddStandaloneTable(invalidTable);

    struct Row {
        SelectedItemCase expected;
        std::vector<std::shared_ptr<HostObject>> selection;
    };
    const Row rows[] = {
        {{"nothing", false, false, false, false}, {}},
        {{"valid layer", true, true, true, true}, {validLayer}},
        {{"invalid layer", true, false, false, true}, {invalidLayer}},
        {{"valid table", true, true, true, true}, {validTable}},
        {{"invalid table", true, false, false, true}, {invalidTable}},
        {{"group layer", false, false, false, false}, {group}},
        {{"map", false, false, false, true}, {FocusMap()}},
        {{"tables only", true, false, false, true}, {validTable, invalidTable}},
        {{"valid layer and table", true, true, false, true}, {validTable, validLayer}},
        {{"invalid layer and group", true, false, false, true}, {invalidLayer, group}},
        {{"map and group", true, false, false, true}, {FocusMap(), group}},
    };
    for (const char* view : {"Display", "Source", "Selection"}) {
        UseView(view);
        const bool shown = std::string(view) != "Selection";
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(view) + ": " + row.expected.name);
            Select(row.selection);
            EXPECT_EQ(SelectedItemRule(document_), shown && row.expected.plain);
            EXPECT_EQ(SelectedItemRule(document_, kWithValidity), shown && row.expected.withValidity);
            EXPECT_EQ(SelectedItemRule(document_, kWithoutSetsWithValidity), shown && row.expected.withoutSets);
            EXPECT_EQ(SelectedItemRule(document_, kMapsToo), shown && row.expected.mapsToo);
        }
    }
}

TEST_F(CommandRulesTest, ViewNamesCompareExactly) {
    const auto layer = ValidLayer();
    for (const char* name : {"display", "source", "DISPLAY", "Display ", ""}) {
        EXPECT_FALSE(SelectedItemRule(platform::ContentsView(name), layer)) << name;
    }
    EXPECT_TRUE(SelectedItemRule(platform::ContentsView("Display"), layer));
    EXPECT_TRUE(SelectedItemRule(platform::ContentsView("Source"), layer));
}

TEST_F(CommandRulesTest, AnEmptySetEnablesThePlainRuleButNotTheValidityRule) {
    const platform::ContentsView display("Display");
    const auto empty = std::make_shared<platform::ItemSet>();
    EXPECT_TRUE(SelectedItemRule(display, empty));
    EXPECT_FALSE(SelectedItemRule(display, empty, kWithValidity));
    EXPECT_TRUE(SelectedItemRule(display, empty, kMapsToo));
}

TEST_F(CommandRulesTest, RulesWithoutADocumentFailWithObjectNotSet) {
    for (auto rule : std::vector<std::function<bool()>>{[] { return SelectedItemRule(nullptr); },
                                                         [] { return SelectedGraphicRule(nullptr); },
                                                         [] { return FocusMapRule(nullptr); }}) {
        try {
            rule();
            ADD_FAILURE() << "no error";
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Number(), 91);
        }
    }
}

struct FocusMapCase {
    const char* name;
    std::function<void(CommandRulesTest&, platform::Map&)> build;
    bool enabled;
};
// Named by its case alone: printing the bytes would read the padding.
void PrintTo(const FocusMapCase& focusMapCase, std::ostream* out) { *out << focusMapCase.name; }

class FocusMapRuleTest : public CommandRulesTest, public ::testing::WithParamInterface<FocusMapCase> {};

TEST_P(FocusMapRuleTest, EnablesForAValidLayerAtAnyDepthOrElseAValidTable) {
    GetParam().build(*this, *FocusMap());
    EXPECT_EQ(FocusMapRule(document_), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(
    CommandRules, FocusMapRuleTest,
    ::testing::Values(
        FocusMapCase{"EmptyMap", [](CommandRulesTest&, platform::Map&) {}, false},
        FocusMapCase{"ValidLayer", [](CommandRulesTest& t, platform::Map& map) { map.AddLayer(t.ValidLayer()); },
                     true},
        FocusMapCase{"ValidLayerNestedInGroups",
                     [](CommandRulesTest& t, platform::Map& map) {
                         auto outer = std::make_shared<platform::GroupLayer>("Outer");
                         auto inner = std::make_shared<platform::GroupLayer>("Inner");
                         inner->Add(t.ValidLayer());
                         outer->Add(inner);
                         map.AddLayer(t.InvalidLayer());
                         map.AddLayer(outer);
                     },
                     true},
        FocusMapCase{"OnlyAValidTable",
                     [](CommandRulesTest& t, platform::Map& map) { map.AddStandaloneTable(t.ValidTable()); }, true},
        FocusMapCase{"InvalidLayerAndValidTable",
                     [](CommandRulesTest& t, platform::Map& map) {
                         map.AddLayer(t.InvalidLayer());
                         map.AddStandaloneTable(t.InvalidTable());
                         map.AddStandaloneTable(t.ValidTable());
                     },
                     true},
        FocusMapCase{"OnlyInvalidLayersAndTables",
                     [](CommandRulesTest& t, platform::Map& map) {
                         map.AddLayer(t.InvalidLayer());
                         map.AddLayer(t.InvalidLayer());
                         map.AddStandaloneTable(t.InvalidTable());
                     },
                     false},
        FocusMapCase{"OnlyAnEmptyGroup",
                     [](CommandRulesTest&, platform::Map& map) {
                         map.AddLayer(std::make_shared<platform::GroupLayer>("Empty"));
                     },
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandRulesTest, FocusMapRuleLooksOnlyAtTheFocusMap) {
    auto other = document_->Maps()->Create();
    other->AddLayer(ValidLayer());
    other->AddStandaloneTable(ValidTable());
    document_->Maps()->Add(other);
    EXPECT_FALSE(FocusMapRule(document_));
    document_->ActiveView(other);
    EXPECT_TRUE(FocusMapRule(document_));
}

TEST_F(CommandRulesTest, GraphicRuleNeedsAValidFeatureLayerAndASelectedGraphic) {
    const auto validLayer = ValidLayer();
    const auto invalidLayer = InvalidLayer();
    const auto table = ValidTable();
    FocusMap()->AddLayer(validLayer);
    FocusMap()->AddLayer(invalidLayer);
    FocusMap()->AddStandaloneTable(table);
    auto element = std::make_shared<platform::Element>(platform::Geometry::MakePoint(1, 2));
    FocusMap()->GraphicsLayer()->AddElement(element);

    struct Row {
        const char* name;
        std::vector<std::shared_ptr<HostObject>> selection;
        bool withGraphic;
    };
    const Row rows[] = {
        {"valid layer", {validLayer}, true},
        {"invalid layer", {invalidLayer}, false},
        {"table", {table}, false},
        {"set with a valid layer", {table, validLayer}, true},
        {"set without a valid layer", {table, invalidLayer}, false},
        {"map", {FocusMap()}, false},
        {"nothing", {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Select(row.selection);
        FocusMap()->GraphicsLayer()->UnselectAllElements();
        EXPECT_FALSE(SelectedGraphicRule(document_));
        FocusMap()->GraphicsLayer()->SelectElement(element);
        EXPECT_EQ(SelectedGraphicRule(document_), row.withGraphic);
    }
    Select({validLayer});
    UseView("Selection");
    EXPECT_FALSE(SelectedGraphicRule(document_));
}

TEST_F(CommandRulesTest, OpenTableRefusesAMapOrGroupAloneButTakesAnySetOfItems) {
    auto group = std::make_shared<platform::GroupLayer>("Group");
    FocusMap()->AddLayer(group);
    const auto openTable = Command(info::OpenTable);

    Select({FocusMap()});
    EXPECT_FALSE(Enabled(*openTable));
    Select({group});
    EXPECT_FALSE(Enabled(*openTable));
    Select({FocusMap(), group});
    EXPECT_TRUE(Enabled(*openTable)) << "a set needs no layer or table";
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(CommandRulesTest, TheFourFocusMapCommandsFollowTheFocusMapRule) {
    const auto commands = {Command(info::cmdStats), Command(info::cmdSelectNone), Command(info::cmdSelByAttTessaly),
                           Command(info::cmdSumTessaly)};
    FocusMap()->AddLayer(InvalidLayer());
    for (const auto& command : commands) EXPECT_FALSE(Enabled(*command));

    auto group = std::make_shared<platform::GroupLayer>("Group");
    group->Add(ValidLayer());
    FocusMap()->AddLayer(group);
    for (const auto& command : commands) EXPECT_TRUE(Enabled(*command));
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(CommandRulesTest, ACommandKeepsTheDocumentItWasCreatedWith) {
    FocusMap()->AddStandaloneTable(ValidTable());
    const auto stats = Command(info::cmdStats);
    EXPECT_TRUE(Enabled(*stats));
    app_->NewDocument();
    EXPECT_TRUE(Enabled(*stats)) << "the new, empty document is not looked at";
    EXPECT_FALSE(Enabled(*Command(info::cmdStats)));
}

}  // namespace
}  // namespace tessaly
