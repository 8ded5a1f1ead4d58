#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "QtTestSupport.h"
#include "platform/qt/ErrorReportDialog.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/Twips.h"
#include "src/core/frmReport.h"
#include "src/core/frmReport_modal.h"

namespace {

using platform::qt::TwipScale;

struct Geometry {
    int left, top, width, height;
};

Geometry Of(platform::Control& control) {
    return {control.Left(), control.Top(), control.Width(), control.Height()};
}

// The system's modal report window, shown by the Qt backend and used as a user would.
TEST(ReportWindow, ShowsItsTextFollowsItsAnchorsAndCopiesTheText) {
    ScopedQtUi ui;
    auto report = std::make_shared<tessaly::frmReport_modal>();
    report->txtReport.SetFontSize(8);
    report->txtReport.SetText("Statistics for POP\r\n------\r\nMean = 12");
    report->SetCaption("Query = Big towns");

    QString shownText;
    QString title;
    double shownPoints = 0;
    QString copied;
    Geometry textBefore{}, textAfter{}, exitBefore{}, exitAfter{}, cornerBefore{}, cornerAfter{};
    int widthBefore = 0;
    int widthGrowth = 0;
    int heightGrowth = 0;
    QRect exitWidget;
    WhenIdle([&] {
        QWidget* window = ui->WindowOf(*report);
        ASSERT_NE(window, nullptr);
        title = window->windowTitle();
        auto* text = ui.Widget<QPlainTextEdit>(*report, report->txtReport);
        ASSERT_NE(text, nullptr);
        shownText = text->toPlainText();
        shownPoints = text->font().pointSizeF();

        textBefore = Of(report->txtReport);
        exitBefore = Of(report->cmdOK);
        cornerBefore = Of(report->imgCornerBars);
        widthBefore = report->Width();
        const int heightBefore = report->Height();
        window->resize(window->size() + QSize(150, 90));
        widthGrowth = report->Width() - widthBefore;
        heightGrowth = report->Height() - heightBefore;
        textAfter = Of(report->txtReport);
        exitAfter = Of(report->cmdOK);
        cornerAfter = Of(report->imgCornerBars);
        exitWidget = ui.Widget<QPushButton>(*report, report->cmdOK)->geometry();

        QTest::mouseClick(ui.Widget<QPushButton>(*report, report->cmdCopy), Qt::LeftButton);
        copied = QGuiApplication::clipboard()->text();
        QTest::mouseClick(ui.Widget<QPushButton>(*report, report->cmdOK), Qt::LeftButton);
    });
    report->Show(platform::vbModal);

    EXPECT_EQ(title, "Query = Big towns");
    EXPECT_EQ(shownText, "Statistics for POP\n------\nMean = 12");
    EXPECT_EQ(shownPoints, 8);
    EXPECT_EQ(widthGrowth, TwipScale::OfScreen().ToTwipsX(150));
    EXPECT_EQ(heightGrowth, TwipScale::OfScreen().ToTwipsY(90));
    // The text grows with the window; the buttons keep their distance from its
    // bottom and their share of its width; the corner picture stays in the corner.
    EXPECT_EQ(textAfter.width, textBefore.width + widthGrowth);
    EXPECT_EQ(textAfter.height, textBefore.height + heightGrowth);
    const double stretch = double(widthBefore + widthGrowth) / widthBefore;
    EXPECT_NEAR(exitAfter.left, exitBefore.left * stretch, 1);
    EXPECT_NEAR(exitAfter.width, exitBefore.width * stretch, 1);
    EXPECT_EQ(exitAfter.top, exitBefore.top + heightGrowth);
    EXPECT_EQ(cornerAfter.left, cornerBefore.left + widthGrowth);
    EXPECT_EQ(cornerAfter.top, cornerBefore.top + heightGrowth);
    EXPECT_EQ(exitWidget, TwipScale::OfScreen().ToPixels(exitAfter.left, exitAfter.top, exitAfter.width,
                                                         exitAfter.height));
    EXPECT_EQ(copied, "Statistics for POP\r\n------\r\nMean = 12");
    // Exit unloaded the window, which ended the modal show.
    EXPECT_FALSE(report->IsLoaded());
}

// The modeless report window in its host frame: the frame's window size
// drives the window's own resize code, and Exit only hides the frame.
TEST(ReportWindow, TheModelessOneFollowsItsFrameAndExitKeepsItsText) {
    ASSERT_EQ(TwipScale::OfScreen().ToPixelsX(1500), 100) << "frame pixels are screen pixels at 96 dpi";
    ScopedQtUi ui;
    auto report = std::make_shared<tessaly::frmReport>();
    report->txtReport.SetText("Report text");
    auto frame = report->Frame();
    ASSERT_NE(frame, nullptr);
    frame->SetCaption("Statistics Report:");
    frame->SetVisible(true);
    QWidget* window = ui->WindowOf(*report);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Statistics Report:");

    const Geometry before = Of(report->txtReport);
    const int frameWidth = frame->Width();
    window->resize(window->size() + QSize(60, 40));
    EXPECT_EQ(frame->Width(), frameWidth + 60);
    EXPECT_EQ(Of(report->txtReport).width, before.width + 60 * platform::kTwipsPerPixel);
    EXPECT_EQ(Of(report->txtReport).height, before.height + 40 * platform::kTwipsPerPixel);

    QTest::mouseClick(ui.Widget<QPushButton>(*report, report->cmdOK), Qt::LeftButton);
    EXPECT_FALSE(frame->Visible());
    EXPECT_EQ(ui->WindowOf(*report), nullptr);
    EXPECT_TRUE(report->IsLoaded());
    frame->SetVisible(true);
    EXPECT_EQ(ui.Widget<QPlainTextEdit>(*report, report->txtReport)->toPlainText(), "Report text");
    report->Unload();
}

TEST(ReportWindow, TheErrorReportOfAFailedPrintStandsAboveTheReportWindow) {
    ScopedQtUi ui;
    ui->SetPrinter(std::make_unique<platform::qt::QtPrinter>([] { return std::unique_ptr<QPrinter>(); }));
    auto report = std::make_shared<tessaly::frmReport>();
    report->txtReport.SetText("Report text");
    report->Frame()->SetVisible(true);
    QWidget* window = ui->WindowOf(*report);
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window);
    QTest::mouseClick(ui.Widget<QPushButton>(*report, report->cmdPrint), Qt::LeftButton);
    ASSERT_NE(ui->ErrorReportWindow(), nullptr) << "no printer: an error report";
    EXPECT_TRUE(ui->ErrorReportWindow()->isVisible());
    EXPECT_EQ(ui->ErrorReportWindow()->parentWidget(), window);
    report->Unload();
}

}  // namespace
