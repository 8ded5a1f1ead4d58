#include <gtest/gtest.h>

#include "QueryBuilderTestSupport.h"
#include "SummarizeTestSupport.h"
#include "platform/com/ComError.h"
#include "platform/map/FeatureLayer.h"
#include "src/query_summary/SummaryStatistics.h"

namespace qstest {
namespace {

TEST(SummaryStatistics, TheCaseFieldComesFirstThenEachTokenWithoutATrailingSeparator) {
    EXPECT_EQ(tessaly::SummaryStatisticsString("STATE", {}), "Minimum.STATE, Count.STATE");
    EXPECT_EQ(tessaly::SummaryStatisticsString("STATE", {"Sum.POP", "StdDev.POP", "Minimum.NAME", "Maximum.NAME"}),
              "Minimum.STATE, Count.STATE, Sum.POP, StdDev.POP, Minimum.NAME, Maximum.NAME");
}

TEST(SummaryStatistics, KeywordsOfTheNodeTexts) {
    const std::pair<const char*, const char*> cases[] = {
        {"Minimum", "Minimum"}, {"Maximum", "Maximum"},          {"Average", "Average"}, {"Sum", "Sum"},
        {"Variance", "Variance"}, {"Standard Deviation", "StdDev"}, {"First", "Minimum"},  {"Last", "Maximum"},
    };
    for (const auto& [text, keyword] : cases) EXPECT_EQ(tessaly::SummaryKeyword(text), keyword) << text;
    EXPECT_THROW(tessaly::SummaryKeyword("Median"), platform::ComError);
}

TEST_F(SummarizeTest, TheDialogShowsItsStepsAndTipsInTheSystemsOwnWords) {
    AddToMap({Parcels()});
    Summarize([](Dialog& dialog) {
        EXPECT_EQ(dialog.lbl0.Caption(), "1.  Select a feature layer or table:");
        EXPECT_EQ(dialog.lbl1.Caption(), "2.  Select a field to summarize:");
        EXPECT_EQ(dialog.lbl2.Caption(),
                  "3.  Choose one or more summary statistics to be included in the            output table:");
        EXPECT_EQ(dialog.lbl3.Caption(), "4.  Specify output table:");
        EXPECT_EQ(dialog.lblSummarize.Caption(),
                  "Summarize creates a new table containing one record for each unique value of the selected field, "
                  "along with statistics summarizing any of the other fields.");
        EXPECT_EQ(dialog.cmdGetFile.ToolTipText(), "Browse for Output Filename...");
        EXPECT_EQ(dialog.cmdOpenTable.ToolTipText(), "Open Attributes Table");
        EXPECT_EQ(dialog.cmdOpenStats.ToolTipText(), "Statistics");
        EXPECT_EQ(dialog.cmdSwitchSel.ToolTipText(), "Switch Selection");
        EXPECT_EQ(dialog.cmdHelp.Caption(), "About Summarizing Data");
        EXPECT_EQ(dialog.cmdOK.Caption(), "OK");
        EXPECT_EQ(dialog.cmdCancel.Caption(), "Cancel");
        EXPECT_EQ(dialog.treeFields.ImageList(), &dialog.imgImageList);
        EXPECT_EQ(dialog.imgImageList.ImageCount(), 6);
    });
}

TEST_F(QueryBuilderTest, TheDialogShowsItsLabelsAndTipsInTheSystemsOwnWords) {
    AddToMap({Parcels()});
    Query([](QueryDialog& dialog) {
        const std::pair<platform::CaptionedControl*, const char*> captions[] = {
            {&dialog.lblThemes, "Layers"},         {&dialog.lblFields, "Fields"},
            {&dialog.lblValues, "Values"},         {&dialog.cmdUpdate, "Update Values"},
            {&dialog.lblQueryStatement, "Query Statement:"},
            {&dialog.cmdClearQuery, "Clear"},      {&dialog.cmdVerify, "Verify"},
            {&dialog.cmdLoadQJQuery, "QuickLoad Query"},
            {&dialog.cpFiltered, "Selected Features: "},
            {&dialog.optSelected, "Select"},       {&dialog.optFiltered, "Filter"},
            {&dialog.cmdNewSet, "New"},            {&dialog.cmdAddToSet, "Add"},
            {&dialog.cmdSelFromSet, "Subset"},     {&dialog.cmdSubtractFromSet, "Subtract"},
            {&dialog.lbl_txtCurrentFilter, "Current Filter Definition:"},
            {&dialog.cmdOpenTable, "Open Attributes Table"},
            {&dialog.cmdOpenStats, "Statistics"},  {&dialog.cmdSwitchSel, "Switch Selection"},
            {&dialog.cmdCancel, "Cancel"},
        };
        for (const auto& [control, caption] : captions) EXPECT_EQ(control->Caption(), caption) << control->Name();
        EXPECT_EQ(dialog.cmdClearQuery.ToolTipText(), "Reset Query Statement");
        EXPECT_EQ(dialog.cmdVerify.ToolTipText(), "Confirm that Query Syntax is Correct");
        for (platform::CommandButton* button : {&dialog.cmdEquals, &dialog.cmdNotEqual, &dialog.cmdLess,
                                                &dialog.cmdLessEqual, &dialog.cmdGreater, &dialog.cmdGreaterEqual,
                                                &dialog.cmdAnd, &dialog.cmdOr, &dialog.cmdNot, &dialog.cmdParentheses}) {
            EXPECT_EQ(button->Caption(), "") << button->Name();
            EXPECT_NE(button->Picture(), "") << button->Name();
        }
    });
}

TEST_F(QueryBuilderTest, ChoosingAThemeInTheShownDialogFocusesTheQuery) {
    AddToMap({Parcels()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.SetFocus();
        dialog.lbxThemes.UserClick(0);
        EXPECT_TRUE(dialog.txtQuery.HasFocus());
    });
}

}  // namespace
}  // namespace qstest
