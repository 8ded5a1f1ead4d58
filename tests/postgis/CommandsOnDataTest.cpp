#include <algorithm>
#include <functional>

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include "PostgisTestSupport.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/CommandTable.h"
#include "src/core/frmReport.h"
#include "src/query_summary/frm_Tessaly_Summarize.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace pgtest {
namespace {

namespace info = tessaly::info;
using QueryDialog = tessaly::tessaly_ModQueryDialog;
using Strings = std::vector<std::string>;

int Line(platform::ListBox& list, const std::string& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text) return i;
    throw std::runtime_error("no line " + text);
}

int Line(platform::ComboBox& list, const std::string& text) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text) return i;
    throw std::runtime_error("no line " + text);
}

// A number as the report writes it with two decimals, computed by the server.
std::string Money(const std::string& expression) { return "to_char(" + expression + ", 'FM999,999,990.00')"; }

class PostgisCommandsTest : public PostgisTest {
protected:
    // Clicks Calculate Statistics and asks for `field` of `theme`, leaving out `ignore` when given.
    std::string Statistics(const std::string& theme, const std::string& field, const std::string& ignore = {}) {
        ui_->WhenModal("tessaly_ThemeIDDialog", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
            dialog.lbxTheme.UserClick(Line(dialog.lbxTheme, theme));
            dialog.lbxField.UserClick(Line(dialog.lbxField, field));
            if ((dialog.chkNoData.Value() == platform::vbChecked) != !ignore.empty()) dialog.chkNoData.UserClick();
            if (!ignore.empty()) dialog.txtNoData.SetText(ignore);
            dialog.cmdOK.UserClick();
        });
        const std::size_t shown = ui_->Shown().size();
        Click(*statsCommand_);
        if (ui_->Shown().size() == shown) return "";
        auto form = ui_->Shown().back().form.lock();
        return dynamic_cast<tessaly::frmReport&>(*form).txtReport.Text();
    }

    // Clicks the query builder and plays `user` in its dialog, then cancels it.
    void Query(const std::function<void(QueryDialog&)>& user) {
        ui_->WhenModal("tessaly_ModQueryDialog", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<QueryDialog&>(form);
            user(dialog);
            if (dialog.IsVisible()) dialog.cmdCancel.UserClick();
        });
        Click(*queryCommand_);
    }

    // The token the builder writes for a field line.
    static std::string Token(QueryDialog& dialog, int line) {
        dialog.cmdClearQuery.UserClick();
        dialog.lbxFields.UserDoubleClick(line);
        std::string text = dialog.txtQuery.Text();
        const auto first = text.find_first_not_of("( ");
        const auto last = text.find_last_not_of(") ");
        return text.substr(first, last - first + 1);
    }

    static void Type(QueryDialog& dialog, const std::string& text) {
        dialog.txtQuery.UserSelect(0, static_cast<int>(dialog.txtQuery.Text().size()));
        dialog.txtQuery.UserType(text);
    }

    // Summarizes `theme` by `caseField` with these statistics of `field` into `output`.
    void Summarize(const std::string& theme, const std::string& caseField, const std::string& field,
                   const Strings& statistics, const std::string& output) {
        ui_->WhenModal("frm_Tessaly_Summarize", [&](platform::Form& form) {
            auto& dialog = dynamic_cast<tessaly::frm_Tessaly_Summarize&>(form);
            dialog.cbxLayer.UserSelect(Line(dialog.cbxLayer, theme));
            dialog.cbxFieldName.UserSelect(Line(dialog.cbxFieldName, caseField));
            for (platform::TreeNode* node : dialog.treeFields.Nodes().Roots()) {
                if (node->Text() != field) continue;
                for (platform::TreeNode* statistic : node->Children())
                    if (std::find(statistics.begin(), statistics.end(), statistic->Text()) != statistics.end())
                        dialog.treeFields.UserClickNode(*statistic);
            }
            dialog.txtOutput.SetText(output);
            dialog.cmdOK.UserClick();
            if (dialog.IsVisible()) dialog.cmdCancel.UserClick();
        });
        Click(*Command(info::cmdSumTessaly));
    }

    void SetUp() override {
        PostgisTest::SetUp();
        if (HasFatalFailure()) return;
        OpenLesson();
        statsCommand_ = Command(info::cmdStats);
        queryCommand_ = Command(info::cmdSelByAttTessaly);
    }
    void TearDown() override {
        statsCommand_ = nullptr;
        queryCommand_ = nullptr;
    }

    platform::ComPtr<platform::ICommand> statsCommand_;
    platform::ComPtr<platform::ICommand> queryCommand_;
};

TEST_F(PostgisCommandsTest, StatisticsWithAndWithoutIgnoredValuesMatchTheServer) {
    struct Case {
        const char* ignore;
        const char* where;
    };
    for (const Case& c : {Case{"", "TRUE"}, Case{"-9999", "\"VAL\" <> -9999"}}) {
        const std::string report = Statistics("Survey Sites", "VAL", c.ignore);
        ASSERT_TRUE(Reports().empty()) << Reports().front();
        const auto expected = Sql("SELECT " + Money("sum(\"VAL\")") + " AS total, " + Money("avg(\"VAL\")") +
                                  " AS mean, " + Money("min(\"VAL\")") + " AS least, " + Money("max(\"VAL\")") +
                                  " AS most, count(\"VAL\")::text AS n, (SELECT count(*) FROM \"SurveySites\" "
                                  "WHERE \"VAL\" IS NULL)::text AS nulls FROM \"SurveySites\" WHERE " +
                                  std::string(c.where))
                                  .at(0);
        for (const std::string& line :
             {"  Total: " + expected[0], "  Mean: " + expected[1], "  Minimum: " + expected[2],
              "  Maximum: " + expected[3], "  Number of Records: " + expected[4],
              "  Empty/Null Values: " + expected[5]})
            EXPECT_NE(report.find(line + "\r\n"), std::string::npos) << line << " in\n" << report;
    }
}

TEST_F(PostgisCommandsTest, EveryListedValueOfEveryColumnSelectsExactlyItsRows) {
    struct Theme {
        const char* name;
        const char* table;
    };
    FocusMap()->AddStandaloneTable(platform::StandaloneTable::Open("Trial", Connection(), "trial"));
    for (const Theme& theme : {Theme{"Survey Sites", "\"SurveySites\""}, Theme{"Samples", "field.samples"},
                               Theme{"Trial", "trial"}}) {
        Query([&](QueryDialog& dialog) {
            dialog.lbxThemes.UserClick(Line(dialog.lbxThemes, theme.name));
            const int fieldCount = dialog.lbxFields.ListCount();
            for (int field = 0; field < fieldCount; ++field) {
                const std::string column = dialog.lbxFields.List(field);
                const std::string token = Token(dialog, field);
                dialog.lbxFields.UserClick(field);
                dialog.cmdUpdate.UserClick();
                const Strings values = [&] {
                    Strings lines;
                    for (int i = 0; i < dialog.lbxValues.ListCount(); ++i) lines.push_back(dialog.lbxValues.List(i));
                    return lines;
                }();
                // Each distinct value's rows, as the server groups them.
                Strings expected = Column("SELECT string_agg(id::text, ',' ORDER BY id) FROM " +
                                          std::string(theme.table) + " WHERE \"" + column +
                                          "\" IS NOT NULL GROUP BY \"" + column + "\"");
                Strings selected;
                for (const std::string& value : values) {
                    const std::size_t boxes = ui_->MessageBoxes().size();
                    Type(dialog, token + " = " + value);
                    dialog.cmdNewSet.UserClick();
                    EXPECT_EQ(ui_->MessageBoxes().size(), boxes)
                        << theme.name << ": " << token << " = " << value << ": " << ui_->MessageBoxes().back().text;
                    Ids ids = theme.table[0] == '"' ? Selected(*Layer(theme.name)) : Selected(*Table(theme.name));
                    std::string text;
                    for (auto id : ids) text += (text.empty() ? "" : ",") + std::to_string(id);
                    selected.push_back(text);
                }
                std::sort(expected.begin(), expected.end());
                std::sort(selected.begin(), selected.end());
                EXPECT_EQ(selected, expected) << theme.name << " " << column;
            }
        });
    }
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(PostgisCommandsTest, FilterModeSetsTheLayersDefinitionExpressionWithTheServersQuoting) {
    auto sites = Layer("Survey Sites");
    Query([&](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(Line(dialog.lbxThemes, "Survey Sites"));
        dialog.optFiltered.UserClick();
        Type(dialog, Token(dialog, Line(dialog.lbxFields, "VAL")) + " > 600");
        dialog.cmdNewSet.UserClick();
    });
    EXPECT_TRUE(ui_->MessageBoxes().empty()) << ui_->MessageBoxes().back().text;
    EXPECT_EQ(sites->DefinitionExpression(), "\"VAL\" > 600");
    EXPECT_EQ(sites->RowCount(nullptr),
              std::stoll(Column("SELECT count(*) FROM \"SurveySites\" WHERE \"VAL\" > 600").at(0)));
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(PostgisCommandsTest, SummarizeWritesTheServersGroupsToADbaseTable) {
    const std::string output = (Folder() / "rain_by_town.dbf").string();
    Summarize("Annual Rainfall", "town", "annual_mm", {"Sum", "Maximum"}, output);
    ASSERT_TRUE(Reports().empty()) << Reports().front();
    GDALDatasetUniquePtr written(GDALDataset::Open(output.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    ASSERT_TRUE(written) << output;
    Rows rows;
    for (const auto& feature : *written->GetLayer(0)) {
        rows.push_back({feature->GetFieldAsString("Minimum_TO"), feature->GetFieldAsString("Count_TOWN"),
                        feature->GetFieldAsString("Sum_ANNUAL"), feature->GetFieldAsString("Maximum_AN")});
    }
    std::sort(rows.begin(), rows.end());
    Rows expected = Sql("SELECT town, count(*)::text AS n, sum(annual_mm)::text AS total, max(annual_mm)::text AS most "
                        "FROM rainfall GROUP BY town ORDER BY town");
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], expected[i][0]);
        EXPECT_EQ(rows[i][1], expected[i][1]);
        EXPECT_DOUBLE_EQ(std::stod(rows[i][2]), std::stod(expected[i][2])) << expected[i][0];
        EXPECT_DOUBLE_EQ(std::stod(rows[i][3]), std::stod(expected[i][3])) << expected[i][0];
    }
}

TEST_F(PostgisCommandsTest, EachClickOpensAtMostOneNewConnection) {
    auto sites = Layer("Survey Sites");
    auto samples = Table("Samples");
    const std::vector<std::pair<const char*, std::function<void()>>> clicks = {
        {"Select All", [&] { SelectItems({sites, samples}); Click(*Command(info::cmdSelectAll)); }},
        {"Switch", [&] { Click(*Command(info::cmdSelectSwitch)); }},
        {"Clear", [&] { Click(*Command(info::cmdSelectNone)); }},
        {"Open Table", [&] { Click(*Command(info::OpenTable)); }},
        {"Statistics", [&] { Statistics("Survey Sites", "VAL", "-9999"); }},
        {"Query", [&] {
             Query([&](QueryDialog& dialog) {
                 dialog.lbxThemes.UserClick(Line(dialog.lbxThemes, "Survey Sites"));
                 dialog.lbxFields.UserClick(Line(dialog.lbxFields, "SITE"));
                 dialog.cmdUpdate.UserClick();
                 Type(dialog, Token(dialog, Line(dialog.lbxFields, "VAL")) + " > 600");
                 dialog.cmdNewSet.UserClick();
             });
         }},
        {"Summarize", [&] { Summarize("Annual Rainfall", "town", "annual_mm", {"Sum"}, (Folder() / "s.dbf").string()); }},
    };
    for (const auto& [name, click] : clicks) {
        const int before = ConnectionsOpened();
        click();
        EXPECT_LE(ConnectionsOpened() - before, 1) << name;
    }
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

}  // namespace
}  // namespace pgtest
