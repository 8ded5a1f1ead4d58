#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "SummarizeTestSupport.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableWindow.h"

namespace qstest {
namespace {

using Strings = std::vector<std::string>;

// The rows of a summary keyed by their case value's column.
std::map<std::string, DbfRow> ByCase(const std::vector<DbfRow>& rows, const std::string& column) {
    std::map<std::string, DbfRow> keyed;
    for (const DbfRow& row : rows) keyed[row.at(column)] = row;
    return keyed;
}

class SummaryTableTest : public SummarizeTest {
protected:
    std::string Output(const std::string& name = "zones.dbf") const { return (Folder() / name).string(); }

    // Summarizes Parcels by ZONE into `output` with these statistics ticked.
    void SummarizeParcels(const std::string& output, const std::vector<std::pair<std::string, std::string>>& ticks,
                          const std::function<void(Dialog&)>& more = {}) {
        Summarize([&](Dialog& dialog) {
            for (const auto& [alias, statistic] : ticks) Tick(dialog, alias, statistic);
            if (more) more(dialog);
            dialog.txtOutput.SetText(output);
            dialog.cmdOK.UserClick();
            hiddenAfterOk_ = !dialog.IsVisible();
        });
    }

    bool hiddenAfterOk_ = false;
};

TEST_F(SummaryTableTest, OkWritesTheChosenStatisticsByFieldNameAddsTheTableAndOpensIt) {
    auto parcels = Parcels();
    parcels->FieldInfo(parcels->FindField("AREA"))->Alias("Area (m2)");
    AddToMap({parcels});
    SummarizeParcels(Output(), {{"OWNER", "Last"}, {"Area (m2)", "Standard Deviation"}, {"Area (m2)", "Sum"},
                                {"OWNER", "First"}});
    EXPECT_TRUE(hiddenAfterOk_);
    ASSERT_TRUE(Reports().empty()) << Reports().front();

    // Minimum.ZONE, Count.ZONE, Sum.AREA, StdDev.AREA, Minimum.OWNER, Maximum.OWNER: tree order, names not
    // aliases; the case field's minimum carries its value.
    EXPECT_EQ(DbfFieldNames(Output()),
              (Strings{"Minimum_ZO", "Count_ZONE", "Sum_AREA", "StdDev_ARE", "Minimum_OW", "Maximum_OW"}));
    const auto rows = ByCase(ReadDbf(Output()), "Minimum_ZO");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.at("C2").at("Count_ZONE"), "2");
    EXPECT_DOUBLE_EQ(std::stod(rows.at("C2").at("Sum_AREA")), 312.0);
    EXPECT_DOUBLE_EQ(std::stod(rows.at("R1").at("Sum_AREA")), 200.75);
    EXPECT_EQ(rows.at("c1").at("Count_ZONE"), "1");
    EXPECT_EQ(rows.at("C2").at("Minimum_OW"), "Banana");

    ASSERT_EQ(FocusMap()->StandaloneTableCount(), 1);
    const auto added = FocusMap()->StandaloneTable(0);
    EXPECT_TRUE(added->Valid());
    EXPECT_EQ(added->RowCount(nullptr), 3);
    EXPECT_EQ(Count(Event::ContentsUpdated), 1u);
    const auto windows = host_->EventsOf(Event::TableWindowShown);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].object, added.get());
    const auto window = host_->FindTableWindow(*added);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Application(), app_);
    EXPECT_EQ(window->Option(), 2);
    EXPECT_TRUE(window->Flag());
    EXPECT_FALSE(window->Flag2());
}

TEST_F(SummaryTableTest, WithoutChosenStatisticsTheCaseFieldIsStillCounted) {
    AddToMap({Parcels()});
    SummarizeParcels(Output(), {});
    EXPECT_EQ(DbfFieldNames(Output()), (Strings{"Minimum_ZO", "Count_ZONE"}));
}

TEST_F(SummaryTableTest, ATickedBoxSummarizesTheSelectedRecordsAndAClearedOneAllOfThem) {
    auto parcels = Parcels();
    AddToMap({parcels});
    Select(*parcels, {0, 1});
    SummarizeParcels(Output("selected.dbf"), {});
    // A background click recounts the selection; the user's untick stays.
    SummarizeParcels(Output("all.dbf"), {}, [](Dialog& dialog) {
        dialog.chkSumSelected.UserClick();
        dialog.UserClick();
    });
    const auto selected = ByCase(ReadDbf(Output("selected.dbf")), "Minimum_ZO");
    EXPECT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected.at("C2").at("Count_ZONE"), "1");
    EXPECT_EQ(ByCase(ReadDbf(Output("all.dbf")), "Minimum_ZO").at("C2").at("Count_ZONE"), "2");
}

TEST_F(SummaryTableTest, ATableIsSummarizedThroughItsOwnView) {
    auto owners = Owners();
    owners->DefinitionExpression("SHARE < 1");
    AddToMap({owners});
    Summarize([&](Dialog& dialog) {
        Tick(dialog, "SHARE", "Sum");
        dialog.txtOutput.SetText(Output());
        dialog.cmdOK.UserClick();
    });
    const auto rows = ReadDbf(Output());
    ASSERT_EQ(rows.size(), 1u) << "only the rows the table shows";
    EXPECT_EQ(rows[0].at("Minimum_OW"), "apple");
    EXPECT_DOUBLE_EQ(std::stod(rows[0].at("Sum_SHARE")), 0.75);
}

struct RefusalCase {
    const char* name;
    const char* existing;  // made before OK, "" for none
    const char* typed;     // the output path, below the test's folder
    const char* message;   // after the folder's path
};

class RefusedOutput : public SummaryTableTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedOutput, LeavesTheDialogOpenAndEveryFileAsItWas) {
    const RefusalCase& c = GetParam();
    if (*c.existing) std::ofstream(Folder() / c.existing) << "keep me";
    AddToMap({Parcels()});
    bool open = false;
    Summarize([&](Dialog& dialog) {
        dialog.txtOutput.SetText((Folder() / c.typed).string());
        dialog.cmdOK.UserClick();
        open = dialog.IsVisible();
    });
    EXPECT_TRUE(open);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Unable to save output to " + Folder().string() + "/" + c.message);
    EXPECT_EQ(Boxes()[0].style, 0);
    EXPECT_EQ(Boxes()[0].title, "TessalyOpenTable");
    EXPECT_EQ(FocusMap()->StandaloneTableCount(), 0);
    EXPECT_TRUE(Reports().empty());
    if (*c.existing) {
        std::ifstream kept(Folder() / c.existing);
        std::string text;
        std::getline(kept, text);
        EXPECT_EQ(text, "keep me");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, RefusedOutput,
    ::testing::Values(
        RefusalCase{"ExistingTable", "zones.dbf", "zones.dbf",
                    "zones.dbf.\r\nTable already exists!\r\n\r\nBailing out..."},
        RefusalCase{"ExistingTableNamedWithoutItsEnding", "zones.dbf", "zones",
                    "zones.\r\nTable already exists!\r\n\r\nBailing out..."},
        RefusalCase{"ExistingTableTypedWithCapitalEnding", "zones.dbf", "zones.DBF",
                    "zones.DBF.\r\nTable already exists!\r\n\r\nBailing out..."},
        RefusalCase{"ExistingTableWithCapitalEnding", "zones.DBF", "zones.dbf",
                    "zones.dbf.\r\nTable already exists!\r\n\r\nBailing out..."},
        RefusalCase{"ExistingCodePage", "zones.cpg", "zones.dbf",
                    "zones.dbf.\r\nTable already exists!\r\n\r\nBailing out..."},
        RefusalCase{"ExistingFolder", "", "data", "data.\r\nTable already exists!\r\n\r\nBailing out..."},
        RefusalCase{"MissingFolder", "", "nowhere/zones.dbf", "nowhere/.  Bailing out..."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SummaryTableTest, BrowsingProposesTheNextFreeNameBesideTheCurrentPath) {
    std::ofstream(Folder() / "zones.dbf") << "taken";
    AddToMap({Parcels()});
    host_->AnswerCatalogSave({true, {Output("chosen.dbf")}});
    Summarize([&](Dialog& dialog) {
        dialog.txtOutput.SetText(Output("zones.dbf"));
        dialog.cmdGetFile.UserClick();
        EXPECT_EQ(dialog.txtOutput.Text(), Output("chosen.dbf"));
    });
    ASSERT_EQ(host_->saves.size(), 1u);
    const auto& asked = host_->saves[0];
    EXPECT_EQ(asked.startingLocation, Folder().string() + "/");
    EXPECT_EQ(asked.name, "zones_2.dbf");
    EXPECT_EQ(asked.title, "Please specify where to save your Summary table:");
    EXPECT_EQ(asked.filter, "dBASE tables (*.dbf)");
    EXPECT_FALSE(asked.multiSelect);
    EXPECT_TRUE(Boxes().empty());
}

struct TakenCase {
    const char* name;
    const char* existing;
    const char* chosen;
    const char* given;  // the path handed back
};

class BrowsedToATakenName : public SummaryTableTest, public ::testing::WithParamInterface<TakenCase> {};

TEST_P(BrowsedToATakenName, TakesTheNextFreeNameAndSaysSo) {
    const TakenCase& c = GetParam();
    std::ofstream(Folder() / c.existing) << "taken";
    AddToMap({Parcels()});
    host_->AnswerCatalogSave({true, {Output(c.chosen)}});
    Summarize([&](Dialog& dialog) {
        dialog.cmdGetFile.UserClick();
        EXPECT_EQ(dialog.txtOutput.Text(), Output(c.given));
    });
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, std::string("Unable to overwrite the file '") + c.chosen +
                                   "'.  The new file will be saved to " + Output(c.given) + "...");
    EXPECT_EQ(Boxes()[0].style, 0);
}

INSTANTIATE_TEST_SUITE_P(Names, BrowsedToATakenName,
                         ::testing::Values(TakenCase{"SameName", "zones.dbf", "zones.dbf", "zones_2.dbf"},
                                           TakenCase{"CapitalEnding", "zones.dbf", "zones.DBF", "zones_2.DBF"},
                                           TakenCase{"CodePageOnly", "zones.cpg", "zones.dbf", "zones_2.dbf"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SummaryTableTest, ATableTypedWithACapitalEndingIsWrittenAndAddedAsTheFileItIs) {
    AddToMap({Parcels()});
    SummarizeParcels(Output("Zones.DBF"), {});
    ASSERT_TRUE(Reports().empty()) << Reports().front();
    EXPECT_TRUE(std::filesystem::exists(Output("Zones.dbf")));
    ASSERT_EQ(FocusMap()->StandaloneTableCount(), 1);
    EXPECT_TRUE(FocusMap()->StandaloneTable(0)->Valid());
    EXPECT_EQ(FocusMap()->StandaloneTable(0)->RowCount(nullptr), 3);
}

TEST_F(SummaryTableTest, CancellingTheBrowseKeepsThePath) {
    AddToMap({Parcels()});
    host_->AnswerCatalogSave({false, {}});
    Summarize([&](Dialog& dialog) {
        dialog.txtOutput.SetText(Output());
        dialog.cmdGetFile.UserClick();
        EXPECT_EQ(dialog.txtOutput.Text(), Output());
    });
    EXPECT_EQ(host_->saves.size(), 1u);
}

struct StartCase {
    const char* name;
    const char* lastSaved;  // the registry's folder below the test's folder; nullptr: no value
    bool saved;             // the document has a file
    const char* expected;   // below the test's folder
};

class BrowseStart : public SummaryTableTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(BrowseStart, IsAnExistingFolderNeverTheRegistrysFailureText) {
    const StartCase& c = GetParam();
    std::filesystem::create_directories(Folder() / "out");
    if (c.lastSaved) {
        std::ofstream(Folder() / "registry.json")
            << R"({"HKEY_CURRENT_USER": {"keys": {"Software": {"keys": {"ESRI": {"keys": {"ArcCatalog": {"keys": {)"
            << R"("Settings": {"values": {"LastSaveToLocation": ")" << (Folder() / c.lastSaved).string()
            << R"("}}}}}}}}}}})";
    }
    if (c.saved) PlaceDocument();
    AddToMap({Parcels()});
    host_->AnswerCatalogSave({false, {}});
    Summarize([&](Dialog& dialog) {
        dialog.txtOutput.SetText("");
        dialog.cmdGetFile.UserClick();
    });
    ASSERT_EQ(host_->saves.size(), 1u);
    EXPECT_EQ(host_->saves[0].startingLocation, (Folder() / c.expected).string());
    EXPECT_EQ(host_->saves[0].name, "summary.dbf");
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

INSTANTIATE_TEST_SUITE_P(
    Folders, BrowseStart,
    ::testing::Values(StartCase{"LastSavedFolder", "out", true, "out/"},
                      StartCase{"DocumentFolderWithoutLastSaved", nullptr, true, ""},
                      StartCase{"DocumentFolderWhenLastSavedIsGone", "gone", true, ""},
                      StartCase{"OutputFolderSearchWithoutADocumentFile", nullptr, false, "tmp/"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qstest
