#include <gtest/gtest.h>

#include <QCursor>
#include <QImage>
#include <QTemporaryDir>

#include "platform/qt/Pictures.h"

namespace {

using platform::qt::PictureStore;

TEST(Pictures, AResourceNameIsFoundInAnAddedFolderWithAnyImageEnding) {
    QTemporaryDir folder;
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath("cornerbars.png")));
    PictureStore pictures;
    EXPECT_TRUE(pictures.Picture("cornerbars").isNull());
    pictures.AddFolder(folder.path().toStdString());
    EXPECT_EQ(pictures.Picture("cornerbars").size(), QSize(16, 16));
    EXPECT_EQ(pictures.Picture(folder.filePath("cornerbars.png").toStdString()).size(), QSize(16, 16));
}

TEST(Pictures, AMissingOrEmptyNameIsANullPicture) {
    PictureStore pictures;
    EXPECT_TRUE(pictures.Picture("").isNull());
    EXPECT_TRUE(pictures.Picture("no-such-picture").isNull());
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
