#include <gtest/gtest.h>

#include "MapTestSupport.h"
#include "platform/map/Application.h"
#include "platform/map/CatalogDialog.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/SummarizeDialog.h"
#include "platform/map/TableWindow.h"
#include "platform/map/UID.h"

using namespace platform;
using Kind = HeadlessHostServices::EventKind;

namespace {

class HostServicesTest : public maptest::MapTest {};

TEST_F(HostServicesTest, StatusBarProgressIsClampedAndRecorded) {
    Application application;
    auto bar = application.StatusBar();
    struct Case {
        const char* name;
        int min, max, step, steps;
        int position;
    };
    const Case cases[] = {
        {"steps within the range", 1, 10, 1, 3, 4},
        {"steps beyond the maximum stop there", 1, 3, 1, 9, 3},
        {"a maximum below the minimum holds the minimum", 1, 0, 1, 4, 1},
        {"wide steps", 0, 100, 25, 2, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bar->ShowProgressBar("Gathering", c.min, c.max, c.step, true);
        for (int i = 0; i < c.steps; ++i) bar->StepProgressBar();
        EXPECT_EQ(bar->ProgressPosition(), c.position);
        EXPECT_TRUE(bar->ProgressBarVisible());
    }
    bar->ShowProgressBar("Again", 1, 5, 1, false);  // a second show without a hide
    EXPECT_EQ(bar->ProgressPosition(), 1);
    bar->HideProgressBar();
    bar->HideProgressBar();
    bar->StepProgressBar();  // hidden: nothing
    EXPECT_FALSE(bar->ProgressBarVisible());

    auto shown = host_->EventsOf(Kind::ProgressShown);
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].text, "Gathering");
    EXPECT_EQ(shown[0].min, 1);
    EXPECT_EQ(shown[0].max, 10);
    EXPECT_TRUE(shown[0].flag);
    EXPECT_EQ(shown[4].text, "Again");
    EXPECT_FALSE(shown[4].flag);
    EXPECT_EQ(host_->EventsOf(Kind::ProgressStepped).size(), 18u);
    EXPECT_EQ(host_->EventsOf(Kind::ProgressHidden).size(), 1u);
}

TEST_F(HostServicesTest, TableWindowIsFoundAgainAndNeverDoubled) {
    auto application = std::make_shared<Application>();
    auto layer = FeatureLayer::Open("Cities", Cities());

    EXPECT_EQ(std::make_shared<TableWindow>()->FindViaLayer(layer, false), nullptr);
    auto window = std::make_shared<TableWindow>();
    window->Layer(layer);
    window->Application(application);
    window->Option(2);
    window->Flag(true);
    window->Show(true);

    auto found = std::make_shared<TableWindow>()->FindViaLayer(layer, false);
    EXPECT_EQ(found, window);
    found->Show(true);
    EXPECT_EQ(found->Option(), 2);
    EXPECT_TRUE(found->Flag());
    EXPECT_EQ(found->Application(), application);

    // A new window for a layer that has one brings up the open one.
    auto duplicate = std::make_shared<TableWindow>();
    duplicate->Layer(layer);
    duplicate->Show(true);
    EXPECT_FALSE(duplicate->IsOpen());
    EXPECT_EQ(host_->OpenTableWindows().size(), 1u);
    auto shown = host_->EventsOf(Kind::TableWindowShown);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].name, "Cities");

    window->Close();
    EXPECT_EQ(std::make_shared<TableWindow>()->FindViaLayer(layer, false), nullptr);
    EXPECT_EQ(host_->EventsOf(Kind::TableWindowClosed).size(), 1u);
    window->Close();  // closed already: nothing
    EXPECT_EQ(host_->EventsOf(Kind::TableWindowClosed).size(), 1u);
}

TEST_F(HostServicesTest, StandaloneTableHasItsOwnTableWindow) {
    auto table = StandaloneTable::Open("People", People());
    auto layer = FeatureLayer::Open("Cities", Cities());
    auto window = std::make_shared<TableWindow>();
    EXPECT_EQ(window->FindViaStandaloneTable(table), nullptr);
    window->StandaloneTable(table);
    window->Flag2(false);
    window->Show(true);
    EXPECT_EQ(std::make_shared<TableWindow>()->FindViaStandaloneTable(table), window);
    EXPECT_EQ(std::make_shared<TableWindow>()->FindViaLayer(layer, false), nullptr);

    auto empty = std::make_shared<TableWindow>();
    maptest::ExpectComError([&] { empty->Show(true); });
    auto invalid = std::make_shared<TableWindow>();
    invalid->StandaloneTable(StandaloneTable::Open("Lost", folder_.File("lost.dbf")));
    maptest::ExpectComError([&] { invalid->Show(true); });
    EXPECT_EQ(host_->OpenTableWindows().size(), 1u);
    auto error = maptest::ExpectComError(
        [&] { std::make_shared<TableWindow>()->Layer(std::make_shared<GroupLayer>("Group")); });
    EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80070057u) << "only feature layers have table windows";
}

TEST_F(HostServicesTest, CommandBarsFindHostCommandsAndAddedOnes) {
    Application application;
    auto bars = application.Document()->CommandBars();
    auto statistics = bars->Find(UID(StatisticsCommandUID), false, false);
    ASSERT_TRUE(statistics);
    statistics->Execute();
    bars->Find(UID("{82b9951b-dd63-11d1-aa7f-00c04fa37860}"))->Execute();
    EXPECT_EQ(bars->Find(UID("{11111111-2222-3333-4444-555555555555}")), nullptr);

    int clicks = 0;
    bars->Add(std::make_shared<CommandItem>("TessalyOpenTable.cmdAbout", "About", [&] { ++clicks; }));
    bars->Find(UID("TessalyOpenTable.cmdAbout"))->Execute();
    EXPECT_EQ(clicks, 1);

    auto executed = host_->EventsOf(Kind::HostCommandExecuted);
    ASSERT_EQ(executed.size(), 2u);
    EXPECT_EQ(executed[0].text, StatisticsCommandUID);
    EXPECT_EQ(executed[1].text, SelectByLocationCommandUID);
    application.NewDocument();
    EXPECT_TRUE(application.Document()->CommandBars()->Find(UID("TessalyOpenTable.cmdAbout")))
        << "the application's commands stay with a new document";
}

TEST_F(HostServicesTest, CatalogOpenKeepsToItsFilterAndSelectionMode) {
    const std::string layerFile = folder_.File("a.tlyr");
    const std::string other = folder_.File("b.tlyr");
    const std::string text = folder_.File("notes.txt");
    struct Case {
        const char* name;
        bool multi;
        HeadlessHostServices::CatalogAnswer answer;
        bool confirmed;
        std::vector<std::string> objects;
    };
    const Case cases[] = {
        {"multiple picks in order", true, {true, {other, layerFile}}, true, {other, layerFile}},
        {"one pick when multiple is not allowed", false, {true, {layerFile, other}}, true, {layerFile}},
        {"files the filter refuses are dropped", true, {true, {text, layerFile}}, true, {layerFile}},
        {"nothing admitted counts as cancelled", true, {true, {text}}, false, {}},
        {"cancel", true, {false, {}}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host_->AnswerCatalogOpen(c.answer);
        CatalogDialog dialog;
        dialog.AllowMultiSelect(c.multi);
        dialog.Title("Please select");
        dialog.ObjectFilter(std::make_shared<LayerFileFilter>());
        std::shared_ptr<EnumCatalogObject> picked;
        EXPECT_EQ(dialog.DoModalOpen(0, picked), c.confirmed);
        std::vector<std::string> names;
        while (auto object = picked ? picked->Next() : nullptr) {
            EXPECT_TRUE(std::dynamic_pointer_cast<CatalogLayer>(object)) << "layer files come as catalog layers";
            names.push_back(object->FullName());
        }
        EXPECT_EQ(names, c.objects);
    }
    EXPECT_EQ(host_->EventsOf(Kind::CatalogOpen)[0].text, "Please select");

    CatalogDialog unscripted;
    std::shared_ptr<EnumCatalogObject> none;
    EXPECT_FALSE(unscripted.DoModalOpen(0, none)) << "an unscripted dialog is cancelled";
}

TEST_F(HostServicesTest, CatalogSaveGivesFolderAndName) {
    struct Case {
        const char* answer;
        const char* folder;
        const char* name;
    };
    for (const auto& c : {Case{"/tmp/out/summary.dbf", "/tmp/out", "summary.dbf"},
                          Case{"/tmp/out/summary", "/tmp/out", "summary.dbf"},
                          Case{"/tmp/out/Sum.DBF", "/tmp/out", "Sum.DBF"}}) {
        SCOPED_TRACE(c.answer);
        host_->AnswerCatalogSave({true, {c.answer}});
        CatalogDialog dialog;
        dialog.ObjectFilter(std::make_shared<OutputTableFilter>());
        dialog.Name("proposed.dbf");
        ASSERT_TRUE(dialog.DoModalSave(0));
        EXPECT_EQ(dialog.FinalLocation()->Path(), c.folder);
        EXPECT_EQ(dialog.Name(), c.name);
    }
    CatalogDialog cancelled;
    cancelled.Name("proposed.dbf");
    EXPECT_FALSE(cancelled.DoModalSave(0));
    EXPECT_EQ(cancelled.FinalLocation(), nullptr);
    EXPECT_EQ(cancelled.Name(), "proposed.dbf");
}

TEST_F(HostServicesTest, SummarizeDialogIsShownWithItsPresets) {
    auto layer = FeatureLayer::Open("Cities", Cities());
    SummarizeDialog dialog;
    dialog.Application(std::make_shared<Application>());
    dialog.Table(layer);
    dialog.Field(layer->Field(2));
    dialog.Flag(true);
    EXPECT_TRUE(dialog.DoModal(0));
    auto shown = host_->EventsOf(Kind::SummarizeDialog);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].name, "Cities");
    EXPECT_EQ(shown[0].text, "NAME");
    EXPECT_TRUE(shown[0].flag);
    maptest::ExpectComError([] { SummarizeDialog().DoModal(0); });
}

TEST_F(HostServicesTest, GraphicsSelectionListsSelectedElementsInOrder) {
    Map map;
    auto graphics = map.GraphicsLayer();
    auto a = std::make_shared<Element>(Geometry::FromWkt("POINT (1 1)"));
    auto b = std::make_shared<Element>(Geometry::FromWkt("POINT (2 2)"));
    auto c = std::make_shared<Element>(Geometry::FromWkt("POINT (3 3)"));
    for (const auto& element : {a, b, c}) graphics->AddElement(element);
    graphics->SelectElement(c);
    graphics->SelectElement(a);
    EXPECT_EQ(graphics->ElementSelectionCount(), 2);
    auto selected = graphics->SelectedElements();
    for (int pass = 0; pass < 2; ++pass) {
        selected->Reset();
        EXPECT_EQ(selected->Next(), a);
        EXPECT_EQ(selected->Next(), c);
        EXPECT_EQ(selected->Next(), nullptr);
    }
    graphics->UnselectElement(a);
    EXPECT_EQ(graphics->ElementSelectionCount(), 1);
    graphics->UnselectAllElements();
    EXPECT_EQ(graphics->ElementSelectionCount(), 0);
    maptest::ExpectComError([&] { graphics->SelectElement(std::make_shared<Element>()); });
}

}  // namespace
