#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "QtTestSupport.h"
#include "src/core/frmAbout.h"
#include "src/resources/Bitmaps.h"

namespace {

// Pixels of the widget as drawn on screen that are clearly coloured (not the
// greys of a window's face or text).
int ColouredPixels(QWidget* widget) {
    const QImage drawn = widget->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor pixel = drawn.pixelColor(x, y);
            if (pixel.saturation() > 100 && pixel.value() > 60) ++coloured;
        }
    }
    return coloured;
}

// The About box as the About command shows it: the command's creation has
// loaded its bitmap, which brings the library's pictures along.
TEST(AboutBoxPictures, TheLogosShowTheirPixelsAndTheLinksTheHand) {
    ASSERT_NE(tessaly::LoadResPicture(120), nullptr);
    ScopedQtUi ui;
    auto about = std::make_shared<tessaly::frmAbout>();

    int logoPixels = 0, makerPixels = 0;
    QSize logoSize;
    Qt::CursorShape linkCursor = Qt::ArrowCursor, logoCursor = Qt::ArrowCursor, versionCursor = Qt::BitmapCursor;
    QPoint hotSpot;
    WhenIdle([&] {
        auto* logo = ui.Widget<QLabel>(*about, about->imgTessaly);
        auto* maker = ui.Widget<QLabel>(*about, about->picKorLogo);
        ASSERT_NE(logo, nullptr);
        ASSERT_NE(maker, nullptr);
        logoSize = logo->pixmap().size();
        logoPixels = ColouredPixels(logo);
        makerPixels = ColouredPixels(maker);
        linkCursor = ui.Widget<QWidget>(*about, about->lblWebSite)->cursor().shape();
        hotSpot = ui.Widget<QWidget>(*about, about->lblZVB2)->cursor().hotSpot();
        logoCursor = maker->cursor().shape();
        versionCursor = ui.Widget<QWidget>(*about, about->lblVersion)->cursor().shape();
        QTest::mouseClick(ui.Widget<QPushButton>(*about, about->cmdOK), Qt::LeftButton);
    });
    about->Show(platform::vbModal);

    EXPECT_EQ(logoSize, QSize(96, 96));
    EXPECT_GT(logoPixels, 500) << "the product's mark is drawn";
    EXPECT_GT(makerPixels, 200) << "the maker's mark is drawn";
    EXPECT_EQ(linkCursor, Qt::BitmapCursor);
    EXPECT_EQ(logoCursor, Qt::BitmapCursor);
    EXPECT_EQ(hotSpot, QPoint(5, 0)) << "the hand points with its finger tip";
    EXPECT_NE(versionCursor, Qt::BitmapCursor) << "only the links show the hand";
}

}  // namespace
