#include <filesystem>

#include <gtest/gtest.h>

#include "QueryBuilderTestSupport.h"
#include "platform/data/Variant.h"
#include "platform/forms/Screen.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/query_summary/QueryOperations.h"

namespace qstest {
namespace {

using Strings = std::vector<std::string>;

struct TokenCase {
    const char* kind;
    const char* token;
};

TEST(FieldToken, QuotesByWhatTheKindTextContains) {
    const TokenCase cases[] = {
        {"Personal Geodatabase Feature Class", "[POP2000]"},
        {"personal geodatabase feature class", "[POP2000]"},
        {"Personal Geodatabase", "[POP2000]"},
        {"SDE Feature Class", "\"POP2000\""},
        {"SDE Database", "\"POP2000\""},
        {"sde feature class", "\"POP2000\""},
        {"ArcIMS Feature Class", "\"POP2000\""},
        {"Shapefile Feature Class", "\"POP2000\""},
        {"Shapefiles", "\"POP2000\""},
        {"Comma Separated Value (.csv) Feature Class", "\"POP2000\""},
    };
    for (const TokenCase& c : cases) EXPECT_EQ(tessaly::FieldToken("POP2000", c.kind), c.token) << c.kind;
    EXPECT_EQ(tessaly::FieldToken("pop2000", "SDE Feature Class"), "pop2000");
}

struct SourceCase {
    const char* name;
    int theme;           // line of lbxThemes
    int field;           // line of lbxFields
    const char* query;   // after the double click
};

class TokenOfSource : public QueryBuilderTest, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(TokenOfSource, IsTheFieldNameQuotedForItsKindOfData) {
    AddToMap({Parcels(), Sites(), Owners(), Visits()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(GetParam().theme);
        dialog.lbxFields.UserDoubleClick(GetParam().field);
        EXPECT_EQ(dialog.txtQuery.Text(), GetParam().query);
        EXPECT_TRUE(dialog.txtQuery.HasFocus());
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

INSTANTIATE_TEST_SUITE_P(Sources, TokenOfSource,
                         ::testing::Values(SourceCase{"Shapefile", 0, 1, "( \"ZONE\" )"},
                                           SourceCase{"GeoPackageLayer", 1, 1, "( [NAME] )"},
                                           SourceCase{"DbaseTable", 2, 0, "( \"FID\" )"},
                                           SourceCase{"GeoPackageTable", 3, 2, "( [NOTE] )"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QueryBuilderTest, FieldsAreListedByAliasWhileTokensCarryTheirNames) {
    auto parcels = Parcels();
    parcels->FieldInfo(parcels->FindField("AREA"))->Alias("Area (m2)");
    parcels->FieldInfo(parcels->FindField("OWNER"))->Visible(false);
    AddToMap({parcels});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        EXPECT_EQ(Lines(dialog.lbxFields), (Strings{"FID", "ZONE", "Area (m2)", "UNITS", "BUILT"}));
        dialog.lbxFields.UserDoubleClick(2);
        EXPECT_EQ(dialog.txtQuery.Text(), "( \"AREA\" )");
        dialog.lbxFields.UserDoubleClick(4);
        EXPECT_EQ(dialog.txtQuery.Text(), "( \"AREA\"\"BUILT\" )");
    });
}

struct EditCase {
    const char* name;
    std::function<void(QueryDialog&)> press;
    const char* text;
    int caret;
};

class QueryEditing : public QueryBuilderTest, public ::testing::WithParamInterface<EditCase> {};

// From the loaded text "(  )" with the caret between its blanks.
TEST_P(QueryEditing, InsertsAtTheCaretAndFocusesTheQuery) {
    AddToMap({Parcels()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.lbxThemes.SetFocus();
        GetParam().press(dialog);
        EXPECT_EQ(dialog.txtQuery.Text(), GetParam().text);
        EXPECT_EQ(dialog.txtQuery.SelStart(), GetParam().caret);
        EXPECT_EQ(dialog.txtQuery.SelLength(), 0);
        EXPECT_TRUE(dialog.txtQuery.HasFocus());
    });
}

template <platform::CommandButton QueryDialog::*button>
void Press(QueryDialog& dialog) {
    (dialog.*button).UserClick();
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QueryEditing,
    ::testing::Values(EditCase{"Equals", Press<&QueryDialog::cmdEquals>, "(  =  )", 5},
                      EditCase{"NotEqual", Press<&QueryDialog::cmdNotEqual>, "(  <>  )", 6},
                      EditCase{"Less", Press<&QueryDialog::cmdLess>, "(  <  )", 5},
                      EditCase{"LessEqual", Press<&QueryDialog::cmdLessEqual>, "(  <=  )", 6},
                      EditCase{"Greater", Press<&QueryDialog::cmdGreater>, "(  >  )", 5},
                      EditCase{"GreaterEqual", Press<&QueryDialog::cmdGreaterEqual>, "(  >=  )", 6},
                      EditCase{"And", Press<&QueryDialog::cmdAnd>, "( ) AND (  )", 10},
                      EditCase{"Or", Press<&QueryDialog::cmdOr>, "( ) OR ( )", 8},
                      EditCase{"Not", Press<&QueryDialog::cmdNot>, "( ) AND ( NOT (  )  )", 16},
                      EditCase{"ParenthesesAroundEverything", Press<&QueryDialog::cmdParentheses>, "((  ))", 0},
                      EditCase{"ParenthesesAroundTheSelection",
                               [](QueryDialog& dialog) {
                                   TypeQuery(dialog, "a = 1 OR b = 2");
                                   dialog.txtQuery.UserSelect(0, 5);
                                   dialog.cmdParentheses.UserClick();
                               },
                               "(a = 1) OR b = 2", 7},
                      EditCase{"AValueReplacesTheSelection",
                               [](QueryDialog& dialog) {
                                   dialog.lbxFields.UserClick(3);
                                   dialog.cmdUpdate.UserClick();
                                   dialog.txtQuery.UserSelect(1, 2);
                                   dialog.lbxValues.UserDoubleClick(0);
                               },
                               "(1)", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QueryBuilderTest, ADoubleClickOnTheFieldListWithNoLineChosenLeavesTheQueryAsItWas) {
    AddToMap({Parcels()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.txtQuery.UserSelect(1, 2);
        dialog.lbxFields.UserDoubleClick(-1);
        EXPECT_EQ(dialog.txtQuery.Text(), "(  )");
        EXPECT_EQ(dialog.txtQuery.SelStart(), 1);
        EXPECT_EQ(dialog.txtQuery.SelLength(), 2);
    });
}

TEST_F(QueryBuilderTest, AndChainsTermsAndNotOpensAnInnerTerm) {
    AddToMap({Parcels()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.txtQuery.UserType("a = 1");
        dialog.cmdAnd.UserClick();
        dialog.txtQuery.UserType("b = 2");
        EXPECT_EQ(dialog.txtQuery.Text(), "( a = 1) AND ( b = 2 )");

        TypeQuery(dialog, "( a = 1 )");
        dialog.txtQuery.UserSelect(7, 0);
        dialog.cmdNot.UserClick();
        EXPECT_EQ(dialog.txtQuery.Text(), "( a = 1) AND ( NOT (  )  )");
        EXPECT_EQ(dialog.txtQuery.Text().substr(dialog.txtQuery.SelStart() - 2, 4), "(  )");
    });
}

TEST_F(QueryBuilderTest, ClearPutsTheEmptyQueryBackWithoutMovingTheFocus) {
    AddToMap({Parcels()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        TypeQuery(dialog, "\"ZONE\" = 'R1'");
        dialog.lbxThemes.SetFocus();
        dialog.cmdClearQuery.UserClick();
        EXPECT_EQ(dialog.txtQuery.Text(), "(  )");
        EXPECT_EQ(dialog.txtQuery.SelStart(), 2);
        EXPECT_TRUE(dialog.lbxThemes.HasFocus());
    });
}

struct ValuesCase {
    const char* name;
    int theme;
    int field;
    Strings lines;
};

class FieldValues : public QueryBuilderTest, public ::testing::WithParamInterface<ValuesCase> {};

TEST_P(FieldValues, AreEveryDistinctValueSortedByTheFieldsType) {
    auto parcels = Parcels();
    AddToMap({parcels, Sites()});
    Select(*parcels, {0});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(GetParam().theme);
        EXPECT_FALSE(dialog.cmdUpdate.Enabled());
        dialog.lbxFields.UserClick(GetParam().field);
        EXPECT_TRUE(dialog.cmdUpdate.Enabled());
        dialog.cmdUpdate.UserClick();
        EXPECT_EQ(Lines(dialog.lbxValues), GetParam().lines);
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

INSTANTIATE_TEST_SUITE_P(
    Types, FieldValues,
    ::testing::Values(ValuesCase{"TextQuotedIgnoringCase", 0, 5, {"'apple'", "'Banana'", "'cherry'", "'O''Neil'"}},
                      ValuesCase{"TextOfAGeoPackage", 1, 1, {"'Spring'", "'Well A'", "'well b'"}},
                      ValuesCase{"IntegersAsNumbers", 0, 3, {"1", "2", "3", "10"}},
                      ValuesCase{"Reals", 0, 2, {"12", "45", "80.25", "120.5", "300"}},
                      ValuesCase{"ObjectIds", 0, 0, {"0", "1", "2", "3", "4"}},
                      ValuesCase{"DatesAsIsoLiterals", 0, 4, {"'1999-12-31'", "'2001-05-03'", "'2010-01-15'"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QueryBuilderTest, DatesSortByDayAndAreWrittenAsTheGeoPackageStoresThem) {
    AddToMap({Sites()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.lbxFields.UserClick(4);
        dialog.cmdUpdate.UserClick();
        const Strings lines = Lines(dialog.lbxValues);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], "'2019-06-30T00:00:00.000'");
        const Strings sameDay{"'2020-01-02T00:00:00.000'", "'2020-01-02T13:30:00.000'"};
        EXPECT_TRUE((Strings{lines[1], lines[2]} == sameDay) || (Strings{lines[2], lines[1]} == sameDay));
    });
}

TEST_F(QueryBuilderTest, GatheringValuesShowsProgressPerValueAndPutsThePointerBack) {
    AddToMap({Parcels()});
    Query([&](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.lbxFields.UserClick(3);
        host_->ClearEvents();
        dialog.cmdUpdate.UserClick();
    });
    const auto shown = host_->EventsOf(Event::ProgressShown);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Gathering values from field [UNITS]");
    EXPECT_EQ(shown[0].max, 1);
    EXPECT_EQ(shown[1].max, 4);
    EXPECT_EQ(Count(Event::ProgressStepped), 4u);
    EXPECT_EQ(Count(Event::ProgressHidden), 1u);
    EXPECT_EQ(ui_->PointerChanges().back(), platform::vbDefault);
    EXPECT_NE(std::find(ui_->PointerChanges().begin(), ui_->PointerChanges().end(), platform::vbHourglass),
              ui_->PointerChanges().end());
}

TEST_F(QueryBuilderTest, GatheringValuesThatFailsStillPutsThePointerAndTheProgressBarBack) {
    AddToMap({Parcels()});
    Query([&](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.lbxFields.UserClick(3);
        for (const char* ext : {".shp", ".shx", ".dbf"})
            std::filesystem::remove(Folder() / "data" / (std::string("parcels") + ext));
        host_->ClearEvents();
        dialog.cmdUpdate.UserClick();
    });
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_NE(Reports()[0].find("cmdUpdate_Click"), std::string::npos) << Reports()[0];
    EXPECT_EQ(Count(Event::ProgressShown), Count(Event::ProgressHidden));
    EXPECT_EQ(Count(Event::ProgressHidden), 1u);
    EXPECT_EQ(ui_->PointerChanges().back(), platform::vbDefault);
}

TEST_F(QueryBuilderTest, SubsetAndSubtractFollowTheModeAtAThemeChoiceOrAnOptionChangeOnly) {
    auto parcels = Parcels();
    auto owners = Owners();
    owners->DefinitionExpression("SHARE < 1");
    AddToMap({parcels, owners});
    Select(*parcels, {1});
    Query([&](QueryDialog& dialog) {
        auto narrowing = [&] {
            EXPECT_EQ(dialog.cmdSelFromSet.Enabled(), dialog.cmdSubtractFromSet.Enabled());
            return dialog.cmdSelFromSet.Enabled();
        };
        dialog.lbxThemes.UserClick(0);
        EXPECT_TRUE(narrowing()) << "a selection to narrow";
        dialog.optFiltered.UserClick();
        EXPECT_FALSE(narrowing()) << "no filter to narrow";
        EXPECT_EQ(dialog.cmdClear.Caption(), "Clear Filter");
        dialog.lbxThemes.UserClick(1);
        EXPECT_TRUE(narrowing());
        EXPECT_EQ(dialog.txtCurrentFilter.Text(), "SHARE < 1");
        dialog.optSelected.UserClick();
        EXPECT_FALSE(narrowing());
        EXPECT_EQ(dialog.cmdClear.Caption(), "Clear Selected");
        TypeQuery(dialog, "\"OWNER\" = 'apple'");
        dialog.cmdNewSet.UserClick();
        EXPECT_FALSE(narrowing()) << "applying a query does not recompute them";
        dialog.lbxThemes.UserClick(1);
        EXPECT_TRUE(narrowing());
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QueryBuilderTest, TheCountsLineGroupsItsDigitsByMode) {
    AddToMap({Many()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features highlighted = 0");
        dialog.optFiltered.UserClick();
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features displayed = 1,234");
        dialog.optSelected.UserClick();
        TypeQuery(dialog, "[N] > 0");
        dialog.cmdNewSet.UserClick();
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features highlighted = 1,234");
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

}  // namespace
}  // namespace qstest
