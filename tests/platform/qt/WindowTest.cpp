#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>

#include "QtTestSupport.h"
#include "TestDialog.h"
#include "platform/forms/ModelessFrame.h"
#include "platform/qt/FrameWindow.h"
#include "platform/qt/Twips.h"

namespace {

using platform::qt::TwipScale;

TEST(FormWindows, ResizingTheWindowResizesTheFormAndMovesItsControls) {
    ScopedQtUi ui;
    auto dialog = std::make_shared<TestDialog>();
    dialog->followSize = true;
    dialog->Show();
    ProcessEvents();
    const TwipScale scale = TwipScale::OfScreen();
    const int resizes = dialog->resizes;

    const QSize pixels(800, 533);
    const int width = scale.ToTwipsX(pixels.width());
    const int height = scale.ToTwipsY(pixels.height());
    ui->WindowOf(*dialog)->resize(pixels);
    ProcessEvents();

    EXPECT_EQ(dialog->ScaleWidth(), width);
    EXPECT_EQ(dialog->ScaleHeight(), height);
    EXPECT_EQ(dialog->Width(), width + platform::kWindowChromeWidth);
    EXPECT_GT(dialog->resizes, resizes);
    EXPECT_EQ(dialog->cmdOK.Left(), width - 1260 - 240);
    EXPECT_EQ(ui.Widget<QPushButton>(*dialog, dialog->cmdOK)->geometry(),
              scale.ToPixels(width - 1260 - 240, height - 360 - 240, 1260, 360));
    dialog->Unload();
}

TEST(FormWindows, ResizingTheFormByCodeResizesTheWindow) {
    ScopedQtUi ui;
    auto dialog = std::make_shared<TestDialog>();
    dialog->Show();
    dialog->SetSize(6120, 4510);
    EXPECT_EQ(ui->WindowOf(*dialog)->size(), TwipScale::OfScreen().ToPixels(6000, 4000));
    dialog->Unload();
}

TEST(FormWindows, AModalShowReturnsWhenTheFormHides) {
    ScopedQtUi ui;
    auto dialog = std::make_shared<TestDialog>();
    WhenIdle([&] { QTest::mouseClick(ui.Widget<QPushButton>(*dialog, dialog->cmdOK), Qt::LeftButton); });
    dialog->Show(platform::vbModal);
    EXPECT_EQ(dialog->events, (std::vector<std::string>{"cmdOK_Click"}));
    EXPECT_FALSE(dialog->IsVisible());
    EXPECT_TRUE(dialog->IsLoaded());
    EXPECT_EQ(ui->WindowOf(*dialog), nullptr);
}

TEST(FormWindows, AModalShowReturnsWhenTheCloseBoxUnloadsTheForm) {
    ScopedQtUi ui;
    auto dialog = std::make_shared<TestDialog>();
    WhenIdle([&] {
        QWidget* window = ui->WindowOf(*dialog);
        EXPECT_TRUE(window->isModal());
        window->close();
    });
    dialog->Show(platform::vbModal);
    EXPECT_FALSE(dialog->IsLoaded());
}

TEST(FormWindows, AModalShownOverAModalOneReturnsFirst) {
    ScopedQtUi ui;
    auto outer = std::make_shared<TestDialog>();
    auto inner = std::make_shared<TestDialog>();
    std::vector<std::string> order;
    outer->hideOnOK = false;
    outer->cmdOK.Click = [&] {
        WhenIdle([&] { inner->Hide(); });
        inner->Show(platform::vbModal);
        order.push_back("inner returned");
        outer->Hide();
    };
    WhenIdle([&] { QTest::mouseClick(ui.Widget<QPushButton>(*outer, outer->cmdOK), Qt::LeftButton); });
    outer->Show(platform::vbModal);
    order.push_back("outer returned");
    EXPECT_EQ(order, (std::vector<std::string>{"inner returned", "outer returned"}));
}

TEST(FormWindows, TheWindowKeepsAShownFormAliveUntilItHides) {
    ScopedQtUi ui;
    auto dialog = std::make_shared<TestDialog>();
    std::weak_ptr<TestDialog> watch = dialog;
    dialog->Show();
    TestDialog* shown = dialog.get();
    dialog.reset();
    ASSERT_FALSE(watch.expired());
    shown->Hide();
    EXPECT_TRUE(watch.expired());
    ProcessEvents();
}

TEST(FormWindows, AFormEndingWhileShownClosesItsWindow) {
    ScopedQtUi ui;
    QPointer<QWidget> window;
    {
        TestDialog dialog;  // not shared: nothing can keep it alive
        dialog.Show();
        window = ui->WindowOf(dialog);
        ASSERT_FALSE(window.isNull());
    }
    ProcessEvents();
    EXPECT_TRUE(window.isNull());
}

TEST(ModelessFrames, TheFrameWindowHoldsTheFormUnderTheFramesCaption) {
    ScopedQtUi ui;
    auto dialog = std::make_shared<TestDialog>();
    auto frame = std::make_shared<platform::ModelessFrame>();
    frame->Create(dialog);
    frame->SetCaption("Statistics Report:");
    frame->SetVisible(true);
    auto* window = dynamic_cast<platform::qt::FrameWindow*>(ui->WindowOf(*dialog));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Statistics Report:");
    EXPECT_TRUE(window->windowFlags() & Qt::Tool);
    EXPECT_EQ(window->View(), ui->ViewOf(*dialog));
    dialog->Unload();
}

TEST(ModelessFrames, ResizingTheFrameWindowSetsTheFramesPixelSize) {
    ScopedQtUi ui;
    auto dialog = std::make_shared<TestDialog>();
    auto frame = std::make_shared<platform::ModelessFrame>();
    frame->Create(dialog);
    int frameWidthSeen = 0;
    dialog->followSize = true;
    frame->SetVisible(true);
    ProcessEvents();
    const TwipScale scale = TwipScale::OfScreen();
    ui->WindowOf(*dialog)->resize(scale.ToPixels(7200, 4800));
    ProcessEvents();
    frameWidthSeen = frame->Width();
    EXPECT_EQ(frameWidthSeen, (scale.ToTwipsX(scale.ToPixelsX(7200)) + platform::kWindowChromeWidth) / 15);
    EXPECT_EQ(dialog->Width(), frame->Width() * 15);
    EXPECT_EQ(dialog->Height(), frame->Height() * 15);
    dialog->Unload();
}

TEST(ModelessFrames, ClosingTheFrameWindowHidesTheFrameAndKeepsTheFormLoaded) {
    ScopedQtUi ui;
    auto dialog = std::make_shared<TestDialog>();
    auto frame = std::make_shared<platform::ModelessFrame>();
    frame->Create(dialog);
    frame->SetVisible(true);
    ui->WindowOf(*dialog)->close();
    EXPECT_FALSE(frame->Visible());
    EXPECT_FALSE(dialog->IsVisible());
    EXPECT_TRUE(dialog->IsLoaded());
    EXPECT_EQ(ui->WindowOf(*dialog), nullptr);
    frame->SetVisible(true);
    EXPECT_NE(ui->WindowOf(*dialog), nullptr);
    dialog->Unload();
}

}  // namespace
