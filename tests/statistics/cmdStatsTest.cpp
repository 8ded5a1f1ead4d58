#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StatisticsTestSupport.h"
#include "platform/com/ComPtr.h"
#include "platform/com/IClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/forms/ModelessFrame.h"
#include "platform/forms/Screen.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/ICommand.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/StatusBar.h"
#include "src/core/CommandTable.h"
#include "src/core/frmReport.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace statstest {
namespace {

using platform::ComPtr;
using platform::ICommand;
using tessaly::tessaly_ThemeIDDialog;

class CmdStatsTest : public StatisticsTest {
protected:
    CmdStatsTest() {
        map_ = app_->Document()->FocusMap();
        map_->AddLayer(gauges_);
        map_->AddStandaloneTable(readings_);
        command_ = NewCommand();
    }

    // Made by the library's own class factory and created on the application.
    ComPtr<ICommand> NewCommand() {
        ComPtr<platform::IClassFactory> factory;
        EXPECT_EQ(DllGetClassObject(tessaly::info::cmdStats.clsid, platform::IClassFactory::Iid, factory.PutVoid()),
                  platform::S_OK);
        ComPtr<ICommand> command;
        EXPECT_EQ(factory->CreateInstance(nullptr, ICommand::Iid, command.PutVoid()), platform::S_OK);
        EXPECT_EQ(command->OnCreate(app_), platform::S_OK);
        return command;
    }

    void Click() { EXPECT_EQ(command_->OnClick(), platform::S_OK); }

    // The report window the command showed last, and its frame.
    tessaly::frmReport& ReportWindow() const {
        auto form = ui_->Shown().back().form.lock();
        return dynamic_cast<tessaly::frmReport&>(*form);
    }
    platform::ModelessFrame& ReportFrame() const { return *ui_->Shown().back().frame; }

    std::shared_ptr<platform::FeatureLayer> gauges_ = Gauges();
    std::shared_ptr<platform::StandaloneTable> readings_ = Readings();
    std::shared_ptr<platform::Map> map_;
    ComPtr<ICommand> command_;
};

TEST_F(CmdStatsTest, ClickShowsTheReportInItsModelessWindow) {
    app_->Document()->CurrentContentsView()->SelectedItem(gauges_);
    Choose({.layer = -1, .fieldRows = {0}});
    Click();
    ASSERT_EQ(ui_->Shown().size(), 1u);
    EXPECT_EQ(ReportWindow().txtReport.Text().rfind("Statistics on Field \"LEVEL\" in Gauges:\r\n", 0), 0u)
        << "the preselected layer was used";
    EXPECT_EQ(ReportFrame().Caption(), "Statistics Report:");
    EXPECT_TRUE(ReportFrame().Visible());
    EXPECT_EQ(platform::screen::MousePointer(), platform::vbDefault);
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(CmdStatsTest, CandidatesAreTheFocusMapsValidLayersThenItsValidTables) {
    auto group = std::make_shared<platform::GroupLayer>("Group");
    group->Add(Wells());
    group->Add(platform::FeatureLayer::Open("Lost", Data("gone.shp")));
    map_->AddLayer(group);
    std::vector<std::string> listed;
    ui_->WhenModal("tessaly_ThemeIDDialog", [&](platform::Form& form) {
        auto& d = dynamic_cast<tessaly_ThemeIDDialog&>(form);
        for (int i = 0; i < d.lbxTheme.ListCount(); ++i) listed.push_back(d.lbxTheme.List(i));
        EXPECT_EQ(d.lbxTheme.ListIndex(), -1) << "nothing selected in the table of contents";
        d.cmdCancel.UserClick();
    });
    Click();
    EXPECT_EQ(listed, (std::vector<std::string>{"Gauges", "Wells", "Readings"}));
    EXPECT_TRUE(ui_->Shown().empty());
}

TEST_F(CmdStatsTest, NextClickStartsFromTheRememberedSettingsAndReplacesTheReport) {
    Choose({.layer = 0, .fieldRows = {0}, .ignore = "-9999", .decimals = 1});
    Click();
    ASSERT_EQ(ui_->Shown().size(), 1u);
    tessaly::frmReport& window = ReportWindow();
    window.cmdOK.UserClick();  // Exit hides it
    EXPECT_FALSE(ReportFrame().Visible());

    ui_->WhenModal("tessaly_ThemeIDDialog", [](platform::Form& form) {
        auto& d = dynamic_cast<tessaly_ThemeIDDialog&>(form);
        EXPECT_EQ(d.txtNoData.Text(), "-9999");
        EXPECT_EQ(d.chkNoData.Value(), 1);
        EXPECT_EQ(d.cbxDecPlaces.ListIndex(), 1);
        d.lbxTheme.UserClick(1);
        d.lbxField.UserClick(0);
        d.cmdOK.UserClick();
    });
    Click();
    ASSERT_EQ(ui_->Shown().size(), 2u);
    EXPECT_EQ(&ReportWindow(), &window) << "one window for the command's life";
    EXPECT_EQ(window.txtReport.Text().rfind("Statistics on Field \"FLOW\" in Readings:\r\n", 0), 0u);
    EXPECT_NE(window.txtReport.Text().find("  Total: 19.0\r\n"), std::string::npos) << window.txtReport.Text();
    EXPECT_TRUE(ReportFrame().Visible());
}

TEST_F(CmdStatsTest, CancelLeavesTheReportAndTheSettingsAsTheyWere) {
    Choose({.layer = 0, .fieldRows = {1}, .decimals = 3});
    Click();
    const std::string first = ReportWindow().txtReport.Text();
    Choose({.layer = 0, .ignore = "5", .decimals = 0, .cancel = true});
    Click();
    EXPECT_EQ(ui_->Shown().size(), 1u);
    EXPECT_EQ(ReportWindow().txtReport.Text(), first);
    ui_->WhenModal("tessaly_ThemeIDDialog", [](platform::Form& form) {
        auto& d = dynamic_cast<tessaly_ThemeIDDialog&>(form);
        EXPECT_EQ(d.cbxDecPlaces.ListIndex(), 3);
        EXPECT_EQ(d.chkNoData.Value(), 0);
        EXPECT_EQ(d.txtNoData.Text(), "-9999");
        d.cmdCancel.UserClick();
    });
    Click();
}

TEST_F(CmdStatsTest, FailedClickIsReportedUnderItsOnClickWithPointerAndBarPutBack) {
    map_->AddLayer(Wells("odd", "Odd"));
    Choose({.layer = 1, .fieldRows = {0, 1}, .ignore = "-9999"});
    Click();
    ASSERT_EQ(ui_->ErrorReports().size(), 1u);
    EXPECT_EQ(ui_->ErrorReports().front().rfind("Record Call Stack Sequence - Bottom line is error line.\r\n\r\n"
                                                "\tICommand_OnClick cmdStats \r\n\r\nError Number \r\n\t-2147467259\r\n",
                                                0),
              0u)
        << ui_->ErrorReports().front();
    EXPECT_TRUE(ui_->Shown().empty()) << "no report for a failed click";
    EXPECT_EQ(platform::screen::MousePointer(), platform::vbDefault);
    EXPECT_FALSE(app_->StatusBar()->ProgressBarVisible());
}

TEST_F(CmdStatsTest, ReleasingTheCommandUnloadsItsReportWindow) {
    Choose({.layer = 0});
    Click();
    ASSERT_EQ(ui_->Shown().size(), 1u);
    const std::weak_ptr<platform::Form> window = ui_->Shown().back().form;
    ASSERT_FALSE(window.expired());
    command_.Reset();
    EXPECT_TRUE(window.expired());
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

}  // namespace
}  // namespace statstest
