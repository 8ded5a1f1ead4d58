#include <gtest/gtest.h>

#include <QCursor>
#include <QImage>
#include <QTemporaryDir>

#include "platform/forms/PictureRegistry.h"
#include "platform/qt/Pictures.h"

namespace {

using platform::qt::PictureStore;

// A 3 by 2 picture: a red top row, a clear bottom row.
platform::Bitmap RedOverClear() {
    return platform::Bitmap{3, 2, {255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {255, 255, 255, 0, 0, 0}};
}

TEST(Pictures, AResourceNameIsFoundInAnAddedFolderWithAnyImageEnding) {
    QTemporaryDir folder;
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath("folderpicture.png")));
    PictureStore pictures;
    EXPECT_TRUE(pictures.Picture("folderpicture").isNull());
    pictures.AddFolder(folder.path().toStdString());
    EXPECT_EQ(pictures.Picture("folderpicture").size(), QSize(16, 16));
    EXPECT_EQ(pictures.Picture(folder.filePath("folderpicture.png").toStdString()).size(), QSize(16, 16));
}

TEST(Pictures, AMissingOrEmptyNameIsANullPicture) {
    PictureStore pictures;
    EXPECT_TRUE(pictures.Picture("").isNull());
    EXPECT_TRUE(pictures.Picture("no-such-picture").isNull());
}

TEST(Pictures, ARegisteredPictureComesBeforeAFileOfTheSameName) {
    QTemporaryDir folder;
    QImage file(16, 16, QImage::Format_RGB32);
    file.fill(Qt::blue);
    ASSERT_TRUE(file.save(folder.filePath("pictures-first.png")));
    platform::RegisterPicture("pictures-first", RedOverClear());
    PictureStore pictures;
    pictures.AddFolder(folder.path().toStdString());
    const QImage shown = pictures.Picture("pictures-first").toImage();
    ASSERT_EQ(shown.size(), QSize(3, 2));
    EXPECT_EQ(shown.pixelColor(2, 0), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(0, 1).alpha(), 0) << "the clear row stays clear";
}

// A window looked for its picture before the module registered it.
TEST(Pictures, APictureRegisteredAfterAMissIsFound) {
    PictureStore pictures;
    EXPECT_TRUE(pictures.Picture("pictures-late").isNull());
    platform::RegisterPicture("pictures-late", RedOverClear());
    EXPECT_EQ(pictures.Picture("pictures-late").size(), QSize(3, 2));
    platform::RegisterPicture("pictures-late", platform::Bitmap{1, 1, {0, 0, 0}, {}});
    EXPECT_EQ(pictures.Picture("pictures-late").size(), QSize(1, 1)) << "a replaced picture is not kept";
}

TEST(Pictures, PixelsThatAreNotWholeMakeNoPixmap) {
    EXPECT_TRUE(platform::qt::ToPixmap(platform::Bitmap{}).isNull());
    EXPECT_TRUE(platform::qt::ToPixmap(platform::Bitmap{2, 2, {1, 2, 3}, {}}).isNull());
}

TEST(Pointers, ACustomPointerPointsWithItsTopmostDrawnPixel) {
    QImage hand(32, 32, QImage::Format_ARGB32);
    hand.fill(Qt::transparent);
    hand.setPixelColor(6, 3, Qt::black);
    hand.setPixelColor(2, 9, Qt::black);
    QCursor cursor;
    ASSERT_TRUE(platform::qt::PointerCursor(99, QPixmap::fromImage(hand), cursor));
    EXPECT_EQ(cursor.hotSpot(), QPoint(6, 3));
}

TEST(Pointers, ClassicNumbersBecomeCursors) {
    QCursor cursor;
    EXPECT_FALSE(platform::qt::PointerCursor(0, QPixmap(), cursor));
    ASSERT_TRUE(platform::qt::PointerCursor(11, QPixmap(), cursor));
    EXPECT_EQ(cursor.shape(), Qt::WaitCursor);
    EXPECT_FALSE(platform::qt::PointerCursor(99, QPixmap(), cursor));  // custom without its icon
    QPixmap hand(32, 32);
    ASSERT_TRUE(platform::qt::PointerCursor(99, hand, cursor));
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
}

}  // namespace
