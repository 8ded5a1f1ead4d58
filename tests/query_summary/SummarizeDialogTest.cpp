#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "SummarizeTestSupport.h"
#include "platform/forms/ModelessFrame.h"
#include "platform/forms/Screen.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/frmReport_modal.h"
#include "src/query_summary/frmSumHelp.h"
#include "src/statistics/TableLayerCollection.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace qstest {
namespace {

using Strings = std::vector<std::string>;

TEST_F(SummarizeTest, AFocusMapWithoutLayersOrTablesShowsNothing) {
    EXPECT_FALSE(Summarize([](Dialog&) {}));
    EXPECT_TRUE(ui_->ModalShows().empty());
    EXPECT_TRUE(Reports().empty());
}

TEST_F(SummarizeTest, OffersValidFeatureLayersAtAnyDepthThenValidTablesAndChoosesTheFirst) {
    auto group = std::make_shared<platform::GroupLayer>("Land");
    group->Add(Parcels());
    group->Add(Missing());
    AddToMap({group, Owners(), Sites(), platform::StandaloneTable::Open("Gone", Data("gone.dbf"))});
    ASSERT_TRUE(Summarize([](Dialog& dialog) {
        EXPECT_EQ(Lines(dialog.cbxLayer), (Strings{"Parcels", "Sites", "Owners"}));
        EXPECT_EQ(dialog.cbxLayer.ListIndex(), 0);
        EXPECT_EQ(dialog.Caption(), "Summarize");
    }));
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(SummarizeTest, PreselectsTheItemSelectedInTheContentsEvenInsideAGroup) {
    auto sites = Sites();
    auto group = std::make_shared<platform::GroupLayer>("Water");
    group->Add(sites);
    AddToMap({Parcels(), group});
    SelectInContents(sites);
    Summarize([](Dialog& dialog) {
        EXPECT_EQ(dialog.cbxLayer.ListIndex(), 1);
        EXPECT_EQ(dialog.cbxLayer.Text(), "Sites");
        EXPECT_EQ(Lines(dialog.cbxFieldName), (Strings{"NAME", "DEPTH", "YIELD", "VISITED"}));
    });
    EXPECT_TRUE(Reports().empty());
}

TEST_F(SummarizeTest, CaseFieldsAreTheVisibleFieldsUpToDatesShownByAlias) {
    auto parcels = Parcels();
    parcels->FieldInfo(parcels->FindField("AREA"))->Alias("Area (m2)");
    parcels->FieldInfo(parcels->FindField("OWNER"))->Visible(false);
    AddToMap({parcels});
    Summarize([](Dialog& dialog) {
        EXPECT_EQ(Lines(dialog.cbxFieldName), (Strings{"ZONE", "Area (m2)", "UNITS", "BUILT"}));
        EXPECT_EQ(dialog.cbxFieldName.ListIndex(), 0);
    });
}

TEST_F(SummarizeTest, TheTreeOffersEveryOtherVisibleFieldWithItsStatistics) {
    auto parcels = Parcels();
    parcels->FieldInfo(parcels->FindField("AREA"))->Alias("Area (m2)");
    parcels->FieldInfo(parcels->FindField("OWNER"))->Visible(false);
    AddToMap({parcels});
    Summarize([](Dialog& dialog) {
        // Fields: FID 0, Shape 1, ZONE 2, AREA 3, UNITS 4, BUILT 5, OWNER 6; ZONE is the case field.
        const Strings expected{
            "key_3 Area (m2) 4 Field",   "  key_3_0 Minimum 1 Stat",  "  key_3_1 Maximum 1 Stat",
            "  key_3_2 Average 1 Stat",  "  key_3_3 Sum 1 Stat",      "  key_3_4 Standard Deviation 1 Stat",
            "  key_3_5 Variance 1 Stat", "key_4 UNITS 4 Field",       "  key_4_0 Minimum 1 Stat",
            "  key_4_1 Maximum 1 Stat",  "  key_4_2 Average 1 Stat",  "  key_4_3 Sum 1 Stat",
            "  key_4_4 Standard Deviation 1 Stat", "  key_4_5 Variance 1 Stat", "key_5 BUILT 6 Field",
            "  key_5_0 First 1 Stat",    "  key_5_1 Last 1 Stat",
        };
        EXPECT_EQ(TreeLines(dialog.treeFields), expected);

        dialog.cbxFieldName.UserSelect(1);  // Area (m2)
        const Strings lines = TreeLines(dialog.treeFields);
        ASSERT_EQ(lines.size(), 3u + 7u + 3u);
        EXPECT_EQ(lines[0], "key_2 ZONE 3 Field");
        EXPECT_EQ(lines[1], "  key_2_0 First 1 Stat");
        EXPECT_EQ(lines[3], "key_4 UNITS 4 Field");
    });
    EXPECT_TRUE(Reports().empty());
}

TEST_F(SummarizeTest, BuildingTheTreeShowsProgressAndPutsThePointerBack) {
    AddToMap({Parcels()});
    Summarize([&](Dialog&) {
        const auto shown = host_->EventsOf(Event::ProgressShown);
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().text, "Examining fields in Parcels...");
        EXPECT_EQ(shown.back().min, 1);
        EXPECT_EQ(shown.back().max, 7);
        EXPECT_TRUE(shown.back().flag);
        EXPECT_EQ(Count(Event::ProgressShown), Count(Event::ProgressHidden));
        EXPECT_EQ(platform::screen::MousePointer(), platform::vbDefault);
    });
}

TEST_F(SummarizeTest, ChangingTheLayerRebuildsTheCaseFieldsAndTheTree) {
    AddToMap({Parcels(), Owners()});
    Summarize([](Dialog& dialog) {
        dialog.cbxLayer.UserSelect(1);
        EXPECT_EQ(Lines(dialog.cbxFieldName), (Strings{"OWNER", "SHARE", "PARCEL"}));
        EXPECT_EQ(TreeLines(dialog.treeFields).front(), "key_2 SHARE 4 Field");
        EXPECT_EQ(dialog.chkSumSelected.Caption(), "Summarize on Selected Records Only (0 of 3 selected)");
    });
}

TEST_F(SummarizeTest, ClickingAStatisticTicksAndUnticksItAndAFieldNodeStaysAsItIs) {
    AddToMap({Parcels()});
    Summarize([](Dialog& dialog) {
        platform::TreeNode& area = dialog.treeFields.Nodes().Item("key_3");
        platform::TreeNode& sum = dialog.treeFields.Nodes().Item("key_3_3");
        dialog.treeFields.UserClickNode(sum);
        EXPECT_EQ(sum.Image(), 2);
        EXPECT_EQ(sum.SelectedImage(), 2);
        dialog.treeFields.UserClickNode(sum);
        EXPECT_EQ(sum.Image(), 1);
        EXPECT_EQ(sum.SelectedImage(), 1);
        dialog.treeFields.UserClickNode(area);
        EXPECT_EQ(area.Image(), 4);
        EXPECT_EQ(area.SelectedImage(), 0);
    });
}

TEST_F(SummarizeTest, TheCheckBoxCountsTheSelectionAndTicksOnlyWhenItBecomesEnabled) {
    auto many = Many();
    AddToMap({many});
    Summarize([&](Dialog& dialog) {
        EXPECT_EQ(dialog.chkSumSelected.Caption(), "Summarize on Selected Records Only (0 of 1,234 selected)");
        EXPECT_EQ(dialog.chkSumSelected.Value(), platform::vbGrayed);
        EXPECT_FALSE(dialog.chkSumSelected.Enabled());

        Select(*many, {1, 2, 3, 4, 5});
        dialog.UserClick();
        EXPECT_EQ(dialog.chkSumSelected.Caption(), "Summarize on Selected Records Only (5 of 1,234 selected)");
        EXPECT_EQ(dialog.chkSumSelected.Value(), platform::vbChecked);
        EXPECT_TRUE(dialog.chkSumSelected.Enabled());

        dialog.chkSumSelected.UserClick();
        dialog.UserMouseDown(1, 0, 10, 10);
        Select(*many, {1, 2, 3});
        dialog.UserClick();
        EXPECT_EQ(dialog.chkSumSelected.Caption(), "Summarize on Selected Records Only (3 of 1,234 selected)");
        EXPECT_EQ(dialog.chkSumSelected.Value(), platform::vbUnchecked) << "the user's choice stays";

        Select(*many, {});
        dialog.UserClick();
        EXPECT_EQ(dialog.chkSumSelected.Value(), platform::vbGrayed);
        Select(*many, {7});
        dialog.UserClick();
        EXPECT_EQ(dialog.chkSumSelected.Value(), platform::vbChecked) << "enabled again, ticked again";

        Select(*many, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
        many->DefinitionExpression("N > 6 AND N <= 37");
        dialog.UserClick();
        EXPECT_EQ(dialog.chkSumSelected.Caption(), "Summarize on Selected Records Only (7 of 31 selected)")
            << "the selected rows the layer shows, the rows a summary reads";
    });
}

TEST_F(SummarizeTest, AnotherLayerTicksTheCheckBoxAgain) {
    auto parcels = Parcels();
    auto sites = Sites();
    AddToMap({parcels, sites});
    Select(*parcels, {0});
    Select(*sites, {1});
    Summarize([&](Dialog& dialog) {
        dialog.chkSumSelected.UserClick();
        EXPECT_EQ(dialog.chkSumSelected.Value(), platform::vbUnchecked);
        dialog.cbxLayer.UserSelect(1);
        EXPECT_EQ(dialog.chkSumSelected.Value(), platform::vbChecked);
    });
}

struct ProposalCase {
    const char* name;
    bool documents;
    bool summaryExists;
    const char* expected;  // below the test's folder
};

class ProposedOutput : public SummarizeTest, public ::testing::WithParamInterface<ProposalCase> {};

TEST_P(ProposedOutput, IsAFreeSummaryFileInTheFirstFolderThatExists) {
    const ProposalCase& c = GetParam();
    if (c.documents) std::filesystem::create_directories(Home() / "Documents");
    const auto folder = c.documents ? Home() / "Documents" : Temp();
    if (c.summaryExists) std::ofstream(folder / "summary.dbf") << "taken";
    AddToMap({Parcels()});
    Summarize([&](Dialog& dialog) {
        EXPECT_EQ(dialog.txtOutput.Text(), (Folder() / c.expected).string());
        EXPECT_TRUE(dialog.cmdOK.Enabled());
    });
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ProposedOutput,
    ::testing::Values(ProposalCase{"InDocuments", true, false, "home/Documents/summary.dbf"},
                      ProposalCase{"NextFreeInDocuments", true, true, "home/Documents/summary_2.dbf"},
                      ProposalCase{"InTempWithoutDocuments", false, false, "tmp/summary.dbf"},
                      ProposalCase{"NextFreeInTemp", false, true, "tmp/summary_2.dbf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SummarizeTest, OkIsEnabledExactlyWhileAnOutputPathIsGiven) {
    AddToMap({Parcels()});
    Summarize([](Dialog& dialog) {
        EXPECT_TRUE(dialog.cmdOK.Enabled());
        dialog.txtOutput.UserSelect(0, static_cast<int>(dialog.txtOutput.Text().size()));
        dialog.txtOutput.UserType("");
        EXPECT_FALSE(dialog.cmdOK.Enabled());
        dialog.txtOutput.UserType("x.dbf");
        EXPECT_TRUE(dialog.cmdOK.Enabled()) << "no statistic needs to be chosen";
    });
}

TEST_F(SummarizeTest, AnItemNotAmongTheCandidatesChoosesTheFirstCandidate) {
    auto lost = Missing();
    auto elsewhere = Sites("Sites elsewhere");
    AddToMap({Parcels(), lost});
    for (const auto& foreign : std::vector<std::shared_ptr<platform::HostObject>>{lost, elsewhere}) {
        SelectInContents(foreign);
        Summarize([](Dialog& dialog) {
            EXPECT_EQ(dialog.cbxLayer.ListIndex(), 0);
            EXPECT_EQ(dialog.cbxLayer.Text(), "Parcels");
            EXPECT_EQ(dialog.cbxFieldName.ListCount(), 5);
            EXPECT_EQ(dialog.treeFields.Nodes().Count(), 7 + 7 + 3 + 3);
            EXPECT_TRUE(dialog.cmdOK.Enabled());
        });
    }
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(SummarizeTest, ALayerWithoutFieldsToSummarizeByShowsEmptyListsAndKeepsOkDisabled) {
    AddToMap({Bare()});
    Summarize([](Dialog& dialog) {
        EXPECT_EQ(dialog.cbxFieldName.ListCount(), 0);
        EXPECT_EQ(dialog.treeFields.Nodes().Count(), 0);
        EXPECT_EQ(dialog.chkSumSelected.Caption(), "Summarize on Selected Records Only (0 of 1 selected)");
        EXPECT_FALSE(dialog.cmdOK.Enabled());
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

// Without an application there is no status bar to show the tree's progress on:
// the tree rebuild hands its failure to the handler that asked for it.
TEST_F(SummarizeTest, TheTreeRebuildPassesItsFailureToTheHandlerThatCalledIt) {
    auto candidates = std::make_shared<tessaly::TableLayerCollection>();
    candidates->Append(Parcels());
    auto dialog = std::make_shared<Dialog>();
    dialog->theTableLayers(candidates);
    dialog->Load();

    const char* callers[] = {"cbxFieldName_Click", "cbxLayer_Click", "Form_Load"};
    ASSERT_EQ(Reports().size(), std::size(callers));
    for (std::size_t i = 0; i < std::size(callers); ++i) {
        const std::string chain = std::string("\r\n\t") + callers[i] +
                                  " frm_Tessaly_Summarize \r\n\tFill_TreeView frm_Tessaly_Summarize \r\n\r\nError Number "
                                  "\r\n\t91\r\n";
        EXPECT_NE(Reports()[i].find(chain), std::string::npos) << Reports()[i];
    }
    EXPECT_EQ(dialog->cbxFieldName.ListCount(), 5) << "what was done before the failure stays";
    EXPECT_EQ(platform::screen::MousePointer(), platform::vbDefault) << "the pointer is put back";
    dialog->Unload();
}

TEST_F(SummarizeTest, OnlyInvalidLayersGiveAnEmptyDialog) {
    AddToMap({Missing()});
    ASSERT_TRUE(Summarize([](Dialog& dialog) {
        EXPECT_EQ(dialog.cbxLayer.ListCount(), 0);
        EXPECT_EQ(dialog.treeFields.Nodes().Count(), 0);
        EXPECT_FALSE(dialog.cmdOK.Enabled());
    }));
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(SummarizeTest, HelpShowsOneFramedWindowThatOutlivesTheDialog) {
    AddToMap({Parcels()});
    Summarize([](Dialog& dialog) {
        dialog.cmdHelp.UserClick();
        dialog.cmdHelp.UserClick();
    });
    ASSERT_EQ(ui_->Shown().size(), 2u);
    EXPECT_EQ(ui_->Shown()[0].frame, ui_->Shown()[1].frame) << "the frame is made once";
    auto help = ui_->Shown()[0].form.lock();
    ASSERT_TRUE(help) << "the help window stays after the dialog is gone";
    EXPECT_EQ(help->Name(), "frmSumHelp");
    EXPECT_TRUE(help->IsVisible());
    platform::ModelessFrame* frame = ui_->Shown()[0].frame;
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Caption(), "ArcGIS Summarize Help");
    EXPECT_EQ(help->Caption(), "ArcGIS Summarize Help");
    help.reset();
    frame->UserClose();
    EXPECT_TRUE(ui_->Shown()[0].form.expired()) << "closing it lets it go";
}

TEST_F(SummarizeTest, OpenAttributesTableBringsUpTheChosenLayersWindow) {
    auto parcels = Parcels();
    AddToMap({parcels});
    Summarize([](Dialog& dialog) { dialog.cmdOpenTable.UserClick(); });
    const auto shown = host_->EventsOf(Event::TableWindowShown);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].object, parcels.get());
}

TEST_F(SummarizeTest, SwitchSelectionFlipsTheChosenLayersSelectionAndRecounts) {
    auto parcels = Parcels();
    AddToMap({parcels});
    Select(*parcels, {0, 1});
    Summarize([&](Dialog& dialog) {
        EXPECT_EQ(dialog.chkSumSelected.Caption(), "Summarize on Selected Records Only (2 of 5 selected)");
        dialog.cmdSwitchSel.UserClick();
        EXPECT_EQ(Selected(*parcels), (Ids{2, 3, 4}));
        EXPECT_EQ(dialog.chkSumSelected.Caption(), "Summarize on Selected Records Only (3 of 5 selected)");
    });
    const auto refreshes = host_->EventsOf(Event::PartialRefresh);
    ASSERT_EQ(refreshes.size(), 2u);
    EXPECT_EQ(refreshes[0].phase, 4);
    EXPECT_EQ(refreshes[1].phase, 4);
}

TEST_F(SummarizeTest, StatisticsRunOnTheChosenLayerIntoTheDialogsOwnModalReport) {
    AddToMap({Parcels(), Owners()});
    std::vector<Strings> offered;
    std::vector<std::string> prefilled;
    ui_->WhenModal("tessaly_ThemeIDDialog", [&](platform::Form& form) {
        auto& setup = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
        Strings names;
        for (int i = 0; i < setup.lbxTheme.ListCount(); ++i) names.push_back(setup.lbxTheme.List(i));
        offered.push_back(names);
        prefilled.push_back(setup.txtNoData.Text());
        EXPECT_EQ(setup.lbxTheme.ListIndex(), 0);
        setup.lbxField.UserClick(0);
        if (setup.chkNoData.Value() != platform::vbChecked) setup.chkNoData.UserClick();
        setup.txtNoData.SetText("0.5");
        setup.cmdOK.UserClick();
    });
    std::vector<std::string> reports;
    ui_->WhenModal("frmReport_modal", [&](platform::Form& form) {
        auto& report = dynamic_cast<tessaly::frmReport_modal&>(form);
        reports.push_back(report.txtReport.Text());
        report.cmdOK.UserClick();
    });
    Summarize([](Dialog& dialog) {
        dialog.cbxLayer.UserSelect(1);
        dialog.cmdOpenStats.UserClick();
        dialog.cmdOpenStats.UserClick();
    });
    Summarize([](Dialog& dialog) {
        dialog.cbxLayer.UserSelect(1);
        dialog.cmdOpenStats.UserClick();
    });
    EXPECT_EQ(offered, (std::vector<Strings>{{"Owners"}, {"Owners"}, {"Owners"}}));
    EXPECT_EQ(prefilled, (Strings{"-9999", "0.5", "-9999"})) << "the settings belong to one dialog";
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].rfind("Statistics on Field \"SHARE\" in Owners:\r\n", 0), 0u) << reports[0];
    EXPECT_NE(reports[0].find(" --> 0.5\r\n" + std::string(58, '-') + "\r\n"), std::string::npos) << reports[0];
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

}  // namespace
}  // namespace qstest
