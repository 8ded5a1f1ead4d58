#include <filesystem>
#include <fstream>
#include <functional>
#include <span>

#include <gtest/gtest.h>

#include "QueryBuilderTestSupport.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/frmReport_modal.h"
#include "src/query_summary/QueryOperations.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace qstest {
namespace {

using Strings = std::vector<std::string>;
using tessaly::QueryMethod;

platform::CommandButton& Button(QueryDialog& dialog, QueryMethod method) {
    switch (method) {
    case QueryMethod::New: return dialog.cmdNewSet;
    case QueryMethod::Add: return dialog.cmdAddToSet;
    case QueryMethod::SelectFrom: return dialog.cmdSelFromSet;
    case QueryMethod::Subtract: return dialog.cmdSubtractFromSet;
    case QueryMethod::Clear: break;
    }
    return dialog.cmdClear;
}

// Presses the button with this query, first recomputing Subset and Subtract as
// switching the mode back and forth does.
void Apply(QueryDialog& dialog, QueryMethod method, const std::string& query, bool recompute = true) {
    const bool filtered = dialog.optFiltered.Value();
    if (recompute) {
        (filtered ? dialog.optSelected : dialog.optFiltered).UserClick();
        (filtered ? dialog.optFiltered : dialog.optSelected).UserClick();
    }
    TypeQuery(dialog, query);
    Button(dialog, method).UserClick();
}

struct FilterStep {
    QueryMethod method;
    const char* query;
    const char* filter;
    int displayed;
    bool recompute;  // switch the mode back and forth first
};

// Runs the steps in filter mode on the first theme, checking after each the
// layer's filter, the dialog's, the count shown and the selection, `kept`.
void RunFilterSteps(QueryDialog& dialog, platform::FeatureLayer& layer, std::span<const FilterStep> steps, const Ids& kept) {
    dialog.lbxThemes.UserClick(0);
    dialog.optFiltered.UserClick();
    for (const FilterStep& step : steps) {
        Apply(dialog, step.method, step.query, step.recompute);
        EXPECT_EQ(layer.DefinitionExpression(), step.filter);
        EXPECT_EQ(dialog.txtCurrentFilter.Text(), *step.filter ? step.filter : "- No Filter Definition Specified -");
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features displayed = " + std::to_string(step.displayed));
        EXPECT_EQ(Selected(layer), kept) << "the selection is not the filter's: " << step.filter;
    }
}

TEST(FilterModeExpression, CombinesTheOldFilterWithTheQuery) {
    struct Case {
        QueryMethod method;
        const char* old;
        const char* expected;
    };
    const Case cases[] = {
        {QueryMethod::New, "A = 1", "B = 2"},
        {QueryMethod::Add, "", "B = 2"},
        {QueryMethod::Add, "A = 1", "(A = 1\n) OR (B = 2\n)"},
        {QueryMethod::SelectFrom, "A = 1", "(A = 1\n) AND (B = 2\n)"},
        {QueryMethod::Subtract, "A = 1", "(A = 1\n) AND NOT (B = 2\n)"},
        {QueryMethod::SelectFrom, "", "B = 2"},
        {QueryMethod::Subtract, "", "NOT (B = 2\n)"},
        {QueryMethod::Clear, "A = 1", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tessaly::FilterModeExpression(c.method, c.old, "B = 2"), c.expected)
            << tessaly::QueryMethodText(c.method) << " on " << c.old;
    }
    EXPECT_EQ(tessaly::CombinationValue(QueryMethod::New), 0);
    EXPECT_EQ(tessaly::CombinationValue(QueryMethod::Add), 1);
    EXPECT_EQ(tessaly::CombinationValue(QueryMethod::Subtract), 2);
    EXPECT_EQ(tessaly::CombinationValue(QueryMethod::SelectFrom), 3);
}

TEST_F(QueryBuilderTest, SelectModeCombinesEachQueryWithTheSelectionAndLeavesTheFilter) {
    auto parcels = Parcels();
    AddToMap({parcels});
    struct Step {
        QueryMethod method;
        const char* query;
        Ids selected;
    };
    const Step steps[] = {
        {QueryMethod::New, "\"ZONE\" = 'R1'", {0, 2}},
        {QueryMethod::Add, "\"ZONE\" = 'C2'", {0, 1, 2, 4}},
        {QueryMethod::SelectFrom, "\"AREA\" > 50", {0, 1, 2}},
        {QueryMethod::Subtract, "\"UNITS\" = 10", {0, 2}},
        {QueryMethod::Clear, "not a query", {}},
    };
    Query([&](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        for (const Step& step : steps) {
            host_->ClearEvents();
            Apply(dialog, step.method, step.query);
            EXPECT_EQ(Selected(*parcels), step.selected) << step.query;
            EXPECT_EQ(dialog.lblNumSelected.Caption(),
                      "Number of features highlighted = " + std::to_string(step.selected.size()));
            EXPECT_EQ(dialog.txtCurrentFilter.Text(), "- No Filter Definition Specified -");
            EXPECT_EQ(Count(Event::SelectionChanged), 1u);
            const auto refreshes = host_->EventsOf(Event::PartialRefresh);
            ASSERT_EQ(refreshes.size(), 2u);
            EXPECT_EQ(refreshes[0].phase, 4);
            EXPECT_EQ(refreshes[0].object, nullptr);
            EXPECT_EQ(refreshes[1].phase, 6);
            EXPECT_EQ(refreshes[1].object, parcels.get());
        }
    });
    EXPECT_EQ(parcels->DefinitionExpression(), "");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QueryBuilderTest, ATableAndAGeoPackageLayerAreSelectedAndClearedAlike) {
    auto owners = Owners();
    auto sites = Sites();
    AddToMap({sites, owners});
    Query([&](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(1);
        Apply(dialog, QueryMethod::New, "\"OWNER\" = 'apple'");
        EXPECT_EQ(Selected(*owners), (Ids{0, 2}));
        Apply(dialog, QueryMethod::Clear, "");
        EXPECT_TRUE(Selected(*owners).empty());
        dialog.lbxThemes.UserClick(0);
        Apply(dialog, QueryMethod::New, "[DEPTH] = 120");
        EXPECT_EQ(Selected(*sites), (Ids{1, 3}));
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QueryBuilderTest, FilterModeCombinesEachQueryWithTheFilterAndLeavesTheSelection) {
    auto parcels = Parcels();
    AddToMap({parcels});
    Select(*parcels, {1});
    // Clearing the filter leaves Subset and Subtract enabled: they then act on every row.
    // Row 1 (UNITS 10, ZONE C2) is hidden by some of these filters and stays selected throughout.
    const FilterStep steps[] = {
        {QueryMethod::Add, "\"UNITS\" > 2", "\"UNITS\" > 2", 3, false},
        {QueryMethod::Add, "\"ZONE\" = 'R1'", "(\"UNITS\" > 2\n) OR (\"ZONE\" = 'R1'\n)", 5, false},
        {QueryMethod::Subtract, "\"AREA\" < 50",
         "((\"UNITS\" > 2\n) OR (\"ZONE\" = 'R1'\n)\n) AND NOT (\"AREA\" < 50\n)", 3, true},
        {QueryMethod::SelectFrom, "\"UNITS\" = 10",
         "(((\"UNITS\" > 2\n) OR (\"ZONE\" = 'R1'\n)\n) AND NOT (\"AREA\" < 50\n)\n) AND (\"UNITS\" = 10\n)", 1,
         false},
        {QueryMethod::Clear, "not a query", "", 5, false},
        {QueryMethod::SelectFrom, "\"UNITS\" = 10", "\"UNITS\" = 10", 2, false},
        {QueryMethod::Clear, "", "", 5, false},
        {QueryMethod::Subtract, "\"UNITS\" = 10", "NOT (\"UNITS\" = 10\n)", 3, false},
        {QueryMethod::New, "\"ZONE\" = 'C2'", "\"ZONE\" = 'C2'", 2, false},
        {QueryMethod::New, "\"ZONE\" = 'R1'", "\"ZONE\" = 'R1'", 2, false},
        {QueryMethod::Clear, "", "", 5, false},
    };
    Query([&](QueryDialog& dialog) {
        RunFilterSteps(dialog, *parcels, steps, {1});
        // The row shows selected again now that no filter hides it.
        const auto cursor = parcels->SelectionSet()->Search(nullptr, false);
        const auto row = cursor->NextRow();
        ASSERT_TRUE(row);
        EXPECT_EQ(row->OID(), 1);
    });
    EXPECT_EQ(Count(Event::SelectionChanged), 0u);
    EXPECT_TRUE(Boxes().empty()) << Boxes().front().text;
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

// On a GeoPackage, whose SQL has comments, a query ending in one stays whole
// when it is negated or joined to the filter (Subtract stays enabled after Clear).
TEST_F(QueryBuilderTest, FilterModeKeepsATrailingCommentInsideItsPart) {
    auto sites = Sites();
    AddToMap({sites});
    const FilterStep steps[] = {
        {QueryMethod::Add, "\"DEPTH\" = 80 -- the shallow one", "\"DEPTH\" = 80 -- the shallow one", 1, true},
        {QueryMethod::Add, "\"NAME\" = 'Spring' -- and back",
         "(\"DEPTH\" = 80 -- the shallow one\n) OR (\"NAME\" = 'Spring' -- and back\n)", 2, true},
        {QueryMethod::SelectFrom, "\"YIELD\" > 2 /* wet */",
         "((\"DEPTH\" = 80 -- the shallow one\n) OR (\"NAME\" = 'Spring' -- and back\n)\n) AND (\"YIELD\" > 2 /* wet */\n)", 1, true},
        {QueryMethod::Clear, "", "", 3, true},
        {QueryMethod::Subtract, "\"DEPTH\" = 80 -- shallow", "NOT (\"DEPTH\" = 80 -- shallow\n)", 2, false},
    };
    Query([&](QueryDialog& dialog) { RunFilterSteps(dialog, *sites, steps, {}); });
    EXPECT_TRUE(Boxes().empty()) << Boxes().front().text;
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QueryBuilderTest, TheFilterStaysOnTheLayerAndShowsWhenTheThemeIsChosenAgain) {
    auto parcels = Parcels();
    AddToMap({parcels});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.optFiltered.UserClick();
        Apply(dialog, QueryMethod::New, "\"ZONE\" = 'R1'");
    });
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        EXPECT_EQ(dialog.txtCurrentFilter.Text(), "\"ZONE\" = 'R1'");
    });
    EXPECT_EQ(parcels->DefinitionExpression(), "\"ZONE\" = 'R1'");
}

struct SourceKind {
    const char* name;
    int theme;
    const char* good;
    const char* unknownField;
};

class EachSourceKind : public QueryBuilderTest, public ::testing::WithParamInterface<SourceKind> {
protected:
    void SetUp() override { AddToMap({Parcels(), Sites(), Owners(), Visits()}); }
};

TEST_P(EachSourceKind, VerifyAcceptsAGoodQueryAndChangesNothing) {
    for (bool filtered : {false, true}) {
        Query([&](QueryDialog& dialog) {
            dialog.lbxThemes.UserClick(GetParam().theme);
            (filtered ? dialog.optFiltered : dialog.optSelected).UserClick();
            TypeQuery(dialog, GetParam().good);
            host_->ClearEvents();
            dialog.cmdVerify.UserClick();
            EXPECT_EQ(dialog.txtCurrentFilter.Text(), "- No Filter Definition Specified -");
            EXPECT_EQ(dialog.lblNumSelected.Caption(), filtered ? dialog.lblNumSelected.Caption()
                                                                : "Number of features highlighted = 0");
        });
        EXPECT_TRUE(host_->Events().empty()) << "nothing is selected, filtered or redrawn";
    }
    ASSERT_EQ(Boxes().size(), 2u);
    for (const auto& box : Boxes()) {
        EXPECT_EQ(box.text, "Query appears to be formatted correctly...");
        EXPECT_EQ(box.title, "Query Verified:");
        EXPECT_EQ(box.style, 0);
    }
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_P(EachSourceKind, VerifyReportsASyntaxErrorWithoutAnIcon) {
    for (const std::string& query : {std::string("(  )"), std::string(GetParam().unknownField)}) {
        Query([&](QueryDialog& dialog) {
            dialog.lbxThemes.UserClick(GetParam().theme);
            TypeQuery(dialog, query);
            dialog.cmdVerify.UserClick();
        });
    }
    ASSERT_EQ(Boxes().size(), 2u);
    for (const auto& box : Boxes()) {
        EXPECT_EQ(box.text, "Query didn't work!  Please check the query for syntax errors...");
        EXPECT_EQ(box.title, "Syntax Error:");
        EXPECT_EQ(box.style, 0);
    }
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_P(EachSourceKind, ARejectedQueryChangesNeitherSelectionNorFilter) {
    Query([&](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(GetParam().theme);
        Apply(dialog, QueryMethod::New, GetParam().good);
        const std::string counted = dialog.lblNumSelected.Caption();
        ASSERT_NE(counted, "Number of features highlighted = 0");
        Apply(dialog, QueryMethod::New, "(  )");
        EXPECT_EQ(dialog.lblNumSelected.Caption(), counted);

        dialog.optFiltered.UserClick();
        Apply(dialog, QueryMethod::New, GetParam().good);
        const std::string filter = dialog.txtCurrentFilter.Text();
        const std::string displayed = dialog.lblNumSelected.Caption();
        Apply(dialog, QueryMethod::Add, GetParam().unknownField);
        EXPECT_EQ(dialog.txtCurrentFilter.Text(), filter);
        EXPECT_EQ(dialog.lblNumSelected.Caption(), displayed);
    });
    ASSERT_EQ(Boxes().size(), 2u);
    for (const auto& box : Boxes()) {
        EXPECT_EQ(box.text, "Query didn't work!  Please check to make sure the query is formatted correctly...");
        EXPECT_EQ(box.title, "Syntax Error:");
        EXPECT_EQ(box.style, 16);
    }
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_P(EachSourceKind, AQueryWithASemicolonOutsideQuotesIsRefused) {
    const std::string good = GetParam().good;
    Query([&](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(GetParam().theme);
        for (const std::string& query : {good + ";", good + "; " + good}) {
            TypeQuery(dialog, query);
            dialog.cmdVerify.UserClick();
            Apply(dialog, QueryMethod::New, query);
            EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features highlighted = 0") << query;
        }
        TypeQuery(dialog, good + " AND 'a;b' = 'a;b'");
        dialog.cmdVerify.UserClick();
    });
    ASSERT_EQ(Boxes().size(), 5u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(Boxes()[i].title, "Syntax Error:") << i;
    EXPECT_EQ(Boxes()[4].title, "Query Verified:") << "a semicolon inside quotes is text";
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

INSTANTIATE_TEST_SUITE_P(
    Sources, EachSourceKind,
    ::testing::Values(SourceKind{"Shapefile", 0, "\"ZONE\" = 'R1'", "\"NOPE\" = 1"},
                      SourceKind{"GeoPackageLayer", 1, "[NAME] = 'Spring'", "[NOPE] = 1"},
                      SourceKind{"DbaseTable", 2, "\"OWNER\" = 'apple'", "\"NOPE\" = 1"},
                      SourceKind{"GeoPackageTable", 3, "[NOTE] = 'wet'", "[NOPE] = 1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QueryBuilderTest, AnotherFailureWhileApplyingIsReportedNotTakenForASyntaxError) {
    AddToMap({Parcels()});
    host_->refuseSelectionChanges = true;
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        Apply(dialog, QueryMethod::New, "\"ZONE\" = 'R1'");
    });
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_NE(Reports()[0].find("ModQueryDoSelection tessaly_ModQueryDialog"), std::string::npos) << Reports()[0];
}

TEST_F(QueryBuilderTest, AQueryCannotReachRowsTheFilterHides) {
    auto parcels = Parcels();
    parcels->DefinitionExpression("\"UNITS\" > 2");
    AddToMap({parcels});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        Apply(dialog, QueryMethod::New, "1=1) OR (1=1");
        Apply(dialog, QueryMethod::New, "1=1 -- )");
        Apply(dialog, QueryMethod::New, "\"ZONE\" = 'R1'");
    });
    EXPECT_TRUE(Selected(*parcels).empty()) << "the R1 rows are hidden";
    ASSERT_EQ(Boxes().size(), 2u);
    for (const auto& box : Boxes()) EXPECT_EQ(box.title, "Syntax Error:");
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

struct DataProblem {
    const char* name;
    std::function<void(const std::filesystem::path& data)> damage;
};

class DataGoneBad : public QueryBuilderTest, public ::testing::WithParamInterface<DataProblem> {};

TEST_P(DataGoneBad, IsReportedAsADataProblemNotASyntaxError) {
    AddToMap({Parcels(), Sites()});
    GetParam().damage(Folder() / "data");
    for (int theme : {0, 1}) {
        Query([&](QueryDialog& dialog) {
            dialog.lbxThemes.UserClick(theme);
            TypeQuery(dialog, theme == 0 ? "\"UNITS\" > 2" : "[DEPTH] > 2");
            dialog.cmdVerify.UserClick();
            dialog.cmdNewSet.UserClick();
        });
    }
    for (const auto& box : Boxes()) EXPECT_NE(box.title, "Syntax Error:") << box.text;
    // Choosing the theme reports the data problem too (the counts line cannot be read).
    Strings reports;
    for (const std::string& report : Reports())
        if (report.find("cmdVerify_Click") != std::string::npos || report.find("ModQueryDoSelection") != std::string::npos)
            reports.push_back(report);
    ASSERT_EQ(reports.size(), 4u);
    for (std::size_t i = 0; i < reports.size(); ++i)
        EXPECT_NE(reports[i].find(i < 2 ? "parcels" : "sites"), std::string::npos) << "names the data: " << reports[i];
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DataGoneBad,
    ::testing::Values(DataProblem{"Deleted",
                                  [](const std::filesystem::path& data) {
                                      for (const char* ext : {".shp", ".shx", ".dbf", ".prj", ".cpg"})
                                          std::filesystem::remove(data / (std::string("parcels") + ext));
                                      std::filesystem::remove(data / "sites.gpkg");
                                  }},
                      DataProblem{"Overwritten",
                                  [](const std::filesystem::path& data) {
                                      for (const char* file : {"parcels.shp", "parcels.dbf", "sites.gpkg"})
                                          std::ofstream(data / file, std::ios::binary | std::ios::trunc) << "damaged";
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QueryBuilderTest, SwitchSelectionFlipsTheThemesSelectionInEitherMode) {
    auto owners = Owners();
    owners->DefinitionExpression("SHARE < 1");
    AddToMap({owners});
    Select(*owners, {0});
    Query([&](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.optFiltered.UserClick();
        host_->ClearEvents();
        dialog.cmdSwitchSel.UserClick();
        EXPECT_EQ(Selected(*owners), (Ids{2}));
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features displayed = 2");
        dialog.optSelected.UserClick();
        dialog.cmdSwitchSel.UserClick();
        EXPECT_EQ(Selected(*owners), (Ids{0}));
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features highlighted = 1");
    });
    EXPECT_EQ(owners->DefinitionExpression(), "SHARE < 1");
    EXPECT_EQ(Count(Event::PartialRefresh), 4u);
}

TEST_F(QueryBuilderTest, OpenAttributesTableBringsUpTheThemesWindow) {
    auto owners = Owners();
    AddToMap({Parcels(), owners});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(1);
        dialog.cmdOpenTable.UserClick();
        dialog.cmdOpenTable.UserClick();
    });
    const auto shown = host_->EventsOf(Event::TableWindowShown);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].object, owners.get());
    EXPECT_EQ(host_->OpenTableWindows().size(), 1u);
}

TEST_F(QueryBuilderTest, StatisticsKeepTheirSettingsWhileTheDialogStaysLoaded) {
    AddToMap({Parcels(), Owners()});
    struct Seen {
        Strings themes;
        std::string exclude;
        int ignore;
    };
    std::vector<Seen> seen;
    ui_->WhenModal("tessaly_ThemeIDDialog", [&](platform::Form& form) {
        auto& setup = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
        Strings themes;
        for (int i = 0; i < setup.lbxTheme.ListCount(); ++i) themes.push_back(setup.lbxTheme.List(i));
        seen.push_back({themes, setup.txtNoData.Text(), setup.chkNoData.Value()});
        setup.lbxField.UserClick(0);
        if (setup.chkNoData.Value() != platform::vbChecked) setup.chkNoData.UserClick();
        setup.txtNoData.SetText("300");
        setup.cmdOK.UserClick();
    });
    std::vector<std::string> reports;
    ui_->WhenModal("frmReport_modal", [&](platform::Form& form) {
        auto& report = dynamic_cast<tessaly::frmReport_modal&>(form);
        EXPECT_EQ(report.Caption(), "Report");
        reports.push_back(report.txtReport.Text());
        report.cmdOK.UserClick();
    });
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        TypeQuery(dialog, "kept");
        dialog.cmdOpenStats.UserClick();
        EXPECT_EQ(dialog.txtQuery.Text(), "kept");
    });
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.cmdOpenStats.UserClick();
        dialog.UserClose();
    });
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(1);
        dialog.cmdOpenStats.UserClick();
    });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].themes, (Strings{"Parcels"}));
    EXPECT_EQ(seen[0].exclude, "-9999");
    EXPECT_EQ(seen[0].ignore, 0);
    EXPECT_EQ(seen[1].exclude, "300") << "kept while the window stays loaded";
    EXPECT_EQ(seen[2].themes, (Strings{"Owners"}));
    EXPECT_EQ(seen[2].exclude, "-9999") << "a new load starts from the defaults";
    EXPECT_EQ(seen[2].ignore, 1) << "but for the ignore flag";
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].rfind("Statistics on Field \"AREA\" in Parcels:\r\n", 0), 0u) << reports[0];
    EXPECT_NE(reports[0].find(" --> 300\r\n" + std::string(58, '-') + "\r\n"), std::string::npos) << reports[0];
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

}  // namespace
}  // namespace qstest
