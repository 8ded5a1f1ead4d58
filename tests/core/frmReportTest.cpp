#include <gtest/gtest.h>

#include <memory>

#include "platform/forms/HeadlessBackend.h"
#include "src/core/ErrorHandling.h"
#include "src/core/frmReport.h"
#include "src/core/frmReport_modal.h"

namespace {

using tessaly::frmReport;
using tessaly::frmReport_modal;

const std::string kReport =
    "Statistics Report" "\r\n" + std::string(20, '-') + "\r\n" "Field: AREA" "\r\n" "Mean: 12.5";

struct ReportFixture : ::testing::Test {
    ReportFixture() { tessaly::ResetErrorHandling(); }
    // The owner unloads its report window when it ends; a shown frame
    // would otherwise keep it open.
    ~ReportFixture() override {
        for (const auto& report : owned) report->Unload();
        tessaly::ResetErrorHandling();
    }

    // The owner's way: create, fill, frame captioned and shown.
    std::shared_ptr<frmReport> ShownReport(const std::string& text) {
        auto report = std::make_shared<frmReport>();
        owned.push_back(report);
        report->txtReport.SetText(text);
        auto frame = report->Frame();
        frame->SetCaption("Statistics Report:");
        frame->SetVisible(true);
        return report;
    }

    platform::ScopedHeadlessUi ui;
    std::vector<std::shared_ptr<frmReport>> owned;
};

using ModelessReport = ReportFixture;
using ModalReport = ReportFixture;

TEST_F(ModelessReport, SettingTheTextLoadsItAndTheFrameIsMadeOnceCaptionedReport) {
    auto report = std::make_shared<frmReport>();
    EXPECT_FALSE(report->IsLoaded());
    report->txtReport.SetText(kReport);
    EXPECT_TRUE(report->IsLoaded());
    EXPECT_EQ(report->Caption(), "Report");
    auto frame = report->Frame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Caption(), "Report");
    EXPECT_EQ(report->Frame(), frame);
    EXPECT_EQ(frame->WrappedForm(), report.get());
}

TEST_F(ModelessReport, ShowsThroughItsFrameWithTheDesignLayout) {
    auto report = ShownReport(kReport);
    EXPECT_EQ(ui->ModelessShows(), (std::vector<std::string>{"frmReport"}));
    EXPECT_TRUE(report->IsVisible());
    EXPECT_EQ(report->txtReport.Width(), 5040);
    EXPECT_EQ(report->cmdOK.Top(), 2745);
    EXPECT_EQ(report->cmdOK.Caption(), "&Exit");
    EXPECT_EQ(report->cmdPrint.Caption(), "&Print");
    EXPECT_EQ(report->cmdCopy.Caption(), "&Copy to Clipboard");
    EXPECT_DOUBLE_EQ(report->txtReport.FontSize(), 9.75);
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(ModelessReport, ASmallFrameLeavesTheControlsAndALargerOneMovesThemWithItsEdges) {
    auto report = ShownReport(kReport);
    auto frame = report->Frame();
    frame->SetWidth(120);  // 1800 twips: under the guard
    EXPECT_EQ(report->txtReport.Width(), 5040);
    EXPECT_EQ(report->imgCornerBars.Left(), 5070);

    frame->SetWidth(500);
    frame->SetHeight(400);  // 7500 x 6000 twips
    EXPECT_EQ(report->txtReport.Width(), 7500 - (5430 - 5040));
    EXPECT_EQ(report->txtReport.Height(), 6000 - (3690 - 2460));
    EXPECT_EQ(report->txtBackground.Width(), 7500 - (5430 - 5160));
    EXPECT_EQ(report->cmdOK.Top(), 6000 - (3690 - 2745));
    EXPECT_EQ(report->cmdCopy.Top(), report->cmdOK.Top());
    EXPECT_EQ(report->cmdPrint.Top(), report->cmdOK.Top());
    EXPECT_EQ(report->cmdOK.Left(), 3465);
    EXPECT_EQ(report->imgCornerBars.Left(), 7500 - (5430 - 5070));
    EXPECT_EQ(report->imgCornerBars.Top(), 6000 - (3690 - 2940));
}

TEST_F(ModelessReport, AResizeBeforeTheFrameExistsIsIgnored) {
    auto report = std::make_shared<frmReport>();
    report->SetSize(9000, 9000);
    EXPECT_EQ(report->txtReport.Width(), 5040);
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(ModelessReport, ExitHidesKeepingTheTextAndTheNextRunShowsItAgain) {
    auto report = ShownReport(kReport);
    report->cmdOK.UserClick();
    EXPECT_FALSE(report->Frame()->Visible());
    EXPECT_FALSE(report->IsVisible());
    EXPECT_TRUE(report->IsLoaded());
    EXPECT_EQ(report->txtReport.Text(), kReport);
    report->txtReport.SetText("second run");
    report->Frame()->SetVisible(true);
    EXPECT_TRUE(report->IsVisible());
    EXPECT_EQ(ui->ModelessShows().size(), 2u);
}

TEST_F(ModelessReport, CopyPutsExactlyTheTextOnTheClipboardAndFocusesExit) {
    auto report = ShownReport(kReport);
    report->cmdCopy.UserClick();
    EXPECT_EQ(ui->ClipboardText(), kReport);
    EXPECT_EQ(report->txtReport.Text(), kReport);
    EXPECT_TRUE(report->cmdOK.HasFocus());
}

TEST_F(ModelessReport, PrintSendsTheWrappedTextIn12PointThenAnEmptyLine) {
    const std::string text = std::string(150, 'z') + "\r\nend";
    auto report = ShownReport(text);
    report->cmdPrint.UserClick();
    ASSERT_EQ(ui->PrintedDocuments().size(), 1u);
    const auto& doc = ui->PrintedDocuments()[0];
    EXPECT_EQ(doc.fontSize, 12);
    EXPECT_EQ(doc.lines, (std::vector<std::string>{std::string(70, 'z'), std::string(70, 'z'), std::string(10, 'z'),
                                                   "end", ""}));
    EXPECT_EQ(report->txtReport.Text(), text);
    EXPECT_TRUE(report->cmdOK.HasFocus());
}

TEST_F(ModelessReport, PrintingWithoutAPrinterGoesToTheErrorReportAndLeavesTheWindow) {
    auto report = ShownReport(kReport);
    ui->SetPrinterAvailable(false);
    report->cmdPrint.UserClick();
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    const std::string& shown = ui->ErrorReports()[0];
    EXPECT_NE(shown.find("cmdPrint_Click frmReport"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Printer error"), std::string::npos) << shown;
    EXPECT_TRUE(report->IsVisible());
    EXPECT_EQ(report->txtReport.Text(), kReport);
    EXPECT_TRUE(ui->PrintedDocuments().empty());
}

TEST_F(ModelessReport, StaysOpenAfterItsOwnerLetsGoUntilTheUserClosesIt) {
    auto report = ShownReport(kReport);
    owned.clear();
    std::weak_ptr<frmReport> watch = report;
    auto frame = report->Frame();
    report.reset();
    ASSERT_FALSE(watch.expired());
    frame->UserClose();
    frame.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(ModalReport, ExitUnloadsItWhichEndsTheShowAndTheNextTouchStartsFromTheDesign) {
    auto report = std::make_shared<frmReport_modal>();
    std::string seenCaption;
    double seenSize = 0;
    ui->WhenModal("frmReport_modal", [&](platform::Form& form) {
        auto& shown = dynamic_cast<frmReport_modal&>(form);
        seenCaption = shown.Caption();
        seenSize = shown.txtReport.FontSize();
        shown.cmdOK.UserClick();
    });
    report->txtReport.SetFontSize(8);
    report->txtReport.SetText("Query text");
    report->SetCaption("Query = Parcels");
    report->Show(platform::vbModal);
    EXPECT_EQ(seenCaption, "Query = Parcels");
    EXPECT_EQ(seenSize, 8);
    EXPECT_FALSE(report->IsLoaded());
    EXPECT_EQ(report->Caption(), "Report");
    EXPECT_EQ(report->txtReport.Text(), "");
    EXPECT_DOUBLE_EQ(report->txtReport.FontSize(), 9.75);
}

TEST_F(ModalReport, ControlsFollowTheWindowByAnchoring) {
    auto report = std::make_shared<frmReport_modal>();
    report->txtReport.SetText(kReport);
    ui->WhenModal("frmReport_modal", [](platform::Form& form) {
        auto& shown = dynamic_cast<frmReport_modal&>(form);
        shown.SetSize(5430 + 2000, 3690 + 1000);
        EXPECT_EQ(shown.txtReport.Width(), 5040 + 2000);
        EXPECT_EQ(shown.txtReport.Height(), 2460 + 1000);
        EXPECT_EQ(shown.txtBackground.Width(), 5160 + 2000);
        EXPECT_EQ(shown.cmdOK.Top(), 2745 + 1000);
        EXPECT_EQ(shown.cmdOK.Left(), 4741);   // 3465 / 5430 of 7430
        EXPECT_EQ(shown.cmdOK.Width(), 2052);  // 1500 / 5430 of 7430
        EXPECT_EQ(shown.cmdPrint.Left(), 472);
        EXPECT_EQ(shown.imgCornerBars.Left(), 5070 + 2000);
        EXPECT_EQ(shown.imgCornerBars.Top(), 2940 + 1000);
        shown.cmdOK.UserClick();
    });
    report->Show(platform::vbModal);
    EXPECT_FALSE(report->IsLoaded());
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(ModalReport, AKeptInstanceShowsAgainAfterExit) {
    auto report = std::make_shared<frmReport_modal>();
    int shows = 0;
    ui->WhenModal("frmReport_modal", [&](platform::Form& form) {
        ++shows;
        auto& shown = dynamic_cast<frmReport_modal&>(form);
        shown.cmdCopy.UserClick();
        shown.cmdOK.UserClick();
    });
    for (const char* text : {"first", "second"}) {
        report->txtReport.SetText(text);
        report->Show(platform::vbModal);
        EXPECT_EQ(ui->ClipboardText(), text);
    }
    EXPECT_EQ(shows, 2);
}

}  // namespace
