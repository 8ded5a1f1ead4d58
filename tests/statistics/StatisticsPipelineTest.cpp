#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "StatisticsTestSupport.h"
#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/forms/Screen.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/StatusBar.h"
#include "src/core/frmReport_modal.h"
#include "src/statistics/StatisticsCandidates.h"
#include "src/statistics/StatisticsPipeline.h"
#include "src/statistics/StatisticsReportWindows.h"
#include "src/statistics/StatsDialogSettings.h"
#include "src/statistics/TableLayerCollection.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"
#include "tests/support/GdalTestData.h"

namespace statstest {
namespace {

using tessaly::StatsDialogSettings;
using tessaly::tessaly_ThemeIDDialog;

constexpr std::int32_t kRejectedClause = static_cast<std::int32_t>(0x80004005);

bool SameSettings(const StatsDialogSettings& a, const StatsDialogSettings& b) {
    return a.excludeText == b.excludeText && a.ignoreValues == b.ignoreValues && a.allRecords == b.allRecords &&
           a.decimalPlaces == b.decimalPlaces;
}

class StatisticsPipelineTest : public StatisticsTest {};

TEST_F(StatisticsPipelineTest, CancelShowsNothingAndKeepsTheSettings) {
    StatsDialogSettings settings{"1, 2", true, false, 4};
    const StatsDialogSettings before = settings;
    Choose({.layer = 0, .ignore = "3", .decimals = 0, .cancel = true});
    EXPECT_EQ(Run(settings, Candidates({Gauges()})), "");
    EXPECT_EQ(reportsShown_, 0);
    EXPECT_TRUE(SameSettings(settings, before));
}

TEST_F(StatisticsPipelineTest, DialogStartsFromTheSettingsAndOKStoresThem) {
    StatsDialogSettings settings{"1, 2", true, false, 4};
    ui_->WhenModal("tessaly_ThemeIDDialog", [](platform::Form& form) {
        auto& d = dynamic_cast<tessaly_ThemeIDDialog&>(form);
        EXPECT_EQ(d.txtNoData.Text(), "1, 2");
        EXPECT_EQ(d.chkNoData.Value(), 1);
        EXPECT_TRUE(d.txtNoData.Enabled());
        EXPECT_EQ(d.cbxDecPlaces.ListIndex(), 4);
        EXPECT_TRUE(d.optAll.Value()) << "the all-records flag is not handed in";
        d.lbxField.UserClick(1);
        d.cmdOK.UserClick();
    });
    const auto gauges = Gauges();
    const std::string report = Run(settings, Candidates({gauges}), gauges);
    EXPECT_NE(report.find("  Total: 130.0000\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("The following values were ignored in the analysis:\r\n --> 1\r\n --> 2\r\n"),
              std::string::npos);
    EXPECT_TRUE(SameSettings(settings, {"1, 2", true, true, 4}));
}

TEST_F(StatisticsPipelineTest, FailedRunKeepsTheStoredSettingsAndPutsPointerAndBarBack) {
    StatsDialogSettings settings;
    // The second field's name cannot be written in brackets: its where clause is rejected.
    Choose({.layer = 0, .fieldRows = {0, 1}, .ignore = "-9999", .decimals = 3});
    try {
        Run(settings, Candidates({Wells("odd", "Odd")}));
        ADD_FAILURE() << "the run should fail";
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), kRejectedClause) << error.Description();
    }
    EXPECT_EQ(reportsShown_, 0);
    EXPECT_TRUE(SameSettings(settings, {"-9999", true, true, 3}));
    ASSERT_FALSE(ui_->PointerChanges().empty());
    EXPECT_EQ(ui_->PointerChanges().front(), platform::vbHourglass) << "the first field was read";
    EXPECT_EQ(platform::screen::MousePointer(), platform::vbDefault);
    EXPECT_FALSE(app_->StatusBar()->ProgressBarVisible());
}

// A status bar whose drawing fails at the second step of reading a field's values.
class FailingWhileReadingHost : public platform::HeadlessHostServices {
public:
    void ProgressStepped(const platform::StatusBar& bar) override {
        if (bar.ProgressMessage().rfind("Gathering values", 0) == 0 && ++steps_ == 2)
            throw platform::ComError(platform::E_FAIL, "StatusBar", "drawing failed");
        HeadlessHostServices::ProgressStepped(bar);
    }

private:
    int steps_ = 0;
};

TEST_F(StatisticsPipelineTest, RunFailingWhileReadingPutsPointerAndBarBack) {
    auto failing = std::make_shared<FailingWhileReadingHost>();
    platform::SetHostServices(failing);
    StatsDialogSettings settings;
    Choose({.layer = 0});
    EXPECT_THROW(Run(settings, Candidates({Gauges()})), platform::ComError);
    EXPECT_EQ(reportsShown_, 0);
    EXPECT_EQ(ui_->PointerChanges(), (std::vector<int>{platform::vbHourglass, platform::vbDefault}));
    EXPECT_FALSE(app_->StatusBar()->ProgressBarVisible());
    ASSERT_FALSE(failing->Events().empty());
    EXPECT_EQ(failing->Events().back().kind, platform::HeadlessHostServices::EventKind::ProgressHidden);
}

TEST_F(StatisticsPipelineTest, PointerIsDefaultWhenTheReportIsShown) {
    StatsDialogSettings settings;
    Choose({.layer = 0, .fieldRows = {0, 1}});
    tessaly::StatisticsCaller caller;
    caller.application = app_;
    caller.candidates = Candidates({Gauges()});
    int pointerWhenShown = -1;
    caller.showReport = [&](const std::string&) { pointerWhenShown = platform::screen::MousePointer(); };
    tessaly::RunStatistics(caller, settings);
    EXPECT_EQ(pointerWhenShown, platform::vbDefault);
    EXPECT_FALSE(app_->StatusBar()->ProgressBarVisible());
}

TEST_F(StatisticsPipelineTest, DialogButtonsShowTheReportInTheirModalWindow) {
    StatsDialogSettings settings;
    Choose({.layer = 0, .ignore = "-9999"});
    auto window = std::make_shared<tessaly::frmReport_modal>();
    std::string shownText;
    ui_->WhenModal("frmReport_modal", [&](platform::Form& form) {
        auto& report = dynamic_cast<tessaly::frmReport_modal&>(form);
        shownText = report.txtReport.Text();
        report.cmdOK.UserClick();
    });
    tessaly::StatisticsCaller caller;
    caller.application = app_;
    const auto gauges = Gauges();
    caller.candidates = Candidates({gauges});
    caller.currentSelected = gauges;
    caller.ruleAfterIgnoredValues = tessaly::kStatsDialogRule;
    caller.showReport = [&](const std::string& report) { tessaly::ShowInModalReportWindow(*window, report); };
    tessaly::RunStatistics(caller, settings);
    EXPECT_EQ(shownText.rfind("Statistics on Field \"LEVEL\" in Gauges:\r\n", 0), 0u) << shownText;
    EXPECT_NE(shownText.find(" --> -9999\r\n" + std::string(58, '-') + "\r\nAnalysis Complete:   "), std::string::npos)
        << shownText;
    EXPECT_FALSE(window->IsLoaded()) << "Exit unloads it";
}

// A comma-decimal locale for the process, made once from the system's locale
// sources into the temporary folder; none when they are not installed.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() {
        const auto folder = std::filesystem::temp_directory_path() / "tessaly-stats-locale";
        const auto locale = folder / "de_DE.UTF-8";
        if (!std::filesystem::exists(locale / "LC_NUMERIC")) {
            std::filesystem::create_directories(folder);
            const std::string command = "localedef -i de_DE -f UTF-8 '" + locale.string() + "' >/dev/null 2>&1";
            const int status = std::system(command.c_str());
            if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return;  // 1: made, with warnings
        }
        if (const char* old = std::setlocale(LC_ALL, nullptr)) previous_ = old;
        // Only the switch needs the folder; glibc keeps what it read from it.
        setenv("LOCPATH", folder.c_str(), 1);
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        unsetenv("LOCPATH");
    }
    ~CommaDecimalLocale() {
        if (active_) std::setlocale(LC_ALL, previous_.c_str());
    }
    bool Active() const { return active_; }

private:
    bool active_ = false;
    std::string previous_ = "C";
};

TEST_F(StatisticsPipelineTest, NumbersKeepTheirDecimalPointInACommaDecimalLocale) {
    CommaDecimalLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no de_DE locale can be made here";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    StatsDialogSettings settings;
    Choose({.layer = 0, .fieldRows = {0}, .ignore = "2.5, -9999, 4.0"});
    const std::string report = Run(settings, Candidates({Wells()}));
    EXPECT_NE(report.find("  Total: 6.00\r\n"), std::string::npos) << "1.5, 1.5 and 3 remain:\n" << report;
    EXPECT_NE(report.find(" --> 2.5\r\n --> -9999\r\n --> 4\r\n"), std::string::npos) << report;
}

TEST_F(StatisticsPipelineTest, CandidatesAreValidLayersAtAnyDepthThenValidTables) {
    const auto map = app_->Document()->FocusMap();
    const auto gauges = Gauges();
    const auto group = std::make_shared<platform::GroupLayer>("Group");
    const auto wells = Wells();
    group->Add(wells);
    group->Add(platform::FeatureLayer::Open("Lost", Data("gone.shp")));
    map->AddLayer(gauges);
    map->AddLayer(group);
    const auto lostTable = platform::StandaloneTable::Open("Lost table", Data("gone.dbf"));
    const auto readings = Readings();
    map->AddStandaloneTable(lostTable);
    map->AddStandaloneTable(readings);

    const auto candidates = tessaly::FocusMapCandidates(*map);
    ASSERT_EQ(candidates->Count(), 3);
    EXPECT_EQ(candidates->Item("0"), gauges);
    EXPECT_EQ(candidates->Item("1"), wells);
    EXPECT_EQ(candidates->Item("2"), readings);
    EXPECT_EQ(tessaly::FocusMapCandidates(platform::Map("Empty"))->Count(), 0);
}

TEST_F(StatisticsPipelineTest, OnlyALayerOrTableIsPreselected) {
    const auto& document = *app_->Document();
    const auto view = document.CurrentContentsView();
    const auto gauges = Gauges();
    const auto readings = Readings();
    const auto group = std::make_shared<platform::GroupLayer>("Group");
    struct Case {
        std::shared_ptr<platform::HostObject> selected;
        std::shared_ptr<platform::HostObject> preselected;
    };
    for (const Case& c : {Case{gauges, gauges}, Case{readings, readings}, Case{group, nullptr},
                          Case{document.FocusMap(), nullptr}, Case{nullptr, nullptr}}) {
        view->SelectedItem(c.selected);
        EXPECT_EQ(tessaly::PreselectableItem(document), c.preselected);
    }
}

TEST_F(StatisticsPipelineTest, CollectionKeysAreUniqueWithoutRegardToCase) {
    tessaly::TableLayerCollection collection;
    collection.Add(Gauges(), "a");
    try {
        collection.Add(Readings(), "A");
        ADD_FAILURE() << "a key already present";
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), platform::vberr::KeyAlreadyInCollection);
    }
    try {
        collection.Item("0");
        ADD_FAILURE() << "a missing key";
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), platform::vberr::InvalidCall);
    }
    EXPECT_EQ(collection.Count(), 1);
}


// Typed integers past 2^53 leave out exactly their rows, not those of the nearest double.
TEST_F(StatisticsPipelineTest, TypedIntegersLeaveOutExactlyTheirRows) {
    const std::int64_t held[] = {9007199254740992, 9007199254740992, 9007199254740992, 9007199254740993,
                                 9007199254740993, 12345678901234567, -9223372036854775807, 5};
    for (const std::string file : {"ids.dbf", "ids.gpkg"}) {
        {
            auto dataset = testsupport::Create(Data(file), file == "ids.dbf" ? "ESRI Shapefile" : "GPKG");
            OGRLayer& layer = testsupport::NewLayer(*dataset, "ids", wkbNone);
            testsupport::AddField(layer, "ID", OFTInteger64, 20);
            OGRFeature f(layer.GetLayerDefn());
            for (const std::int64_t id : held)
                ASSERT_EQ((f.SetFID(OGRNullFID), f.SetField("ID", GIntBig{id}), layer.CreateFeature(&f)), OGRERR_NONE);
        }
        for (const auto& [typed, left] : std::map<std::string, std::set<std::int64_t>>{
                 {"9007199254740993", {9007199254740993}},
                 {"12345678901234567, -9223372036854775807", {12345678901234567, -9223372036854775807}}}) {
            const auto kept = std::count_if(std::begin(held), std::end(held), [&](auto id) { return !left.count(id); });
            StatsDialogSettings settings;
            Choose({.layer = 0, .fieldRows = {0}, .ignore = typed});
            const std::string report = Run(settings, Candidates({platform::StandaloneTable::Open("ids", Data(file))}));
            EXPECT_NE(report.find("Number of Records: " + std::to_string(kept) + "\r"), std::string::npos) << report;
        }
    }
}

}  // namespace
}  // namespace statstest
