#include <gtest/gtest.h>

#include "app/MapTransform.h"

namespace {

using desktop::MapTransform;
using platform::Envelope;

struct FitCase {
    const char* name;
    QSizeF view;
    QPointF mapPoint;
    QPointF pixel;
};

// The extent 0..100 by 0..50 in views of three shapes: it fills the view where
// the shapes agree, and stands centred where the view is taller or wider.
TEST(MapTransform, FitsTheExtentIntoTheViewWithoutDistortion) {
    const Envelope extent(0, 0, 100, 50);
    const FitCase cases[] = {
        {"same shape, top left", {200, 100}, {0, 50}, {0, 0}},
        {"same shape, bottom right", {200, 100}, {100, 0}, {200, 100}},
        {"taller view, centred vertically", {100, 100}, {0, 50}, {0, 25}},
        {"taller view, centre", {100, 100}, {50, 25}, {50, 50}},
        {"wider view, centred horizontally", {400, 100}, {0, 0}, {100, 100}},
    };
    for (const auto& c : cases) {
        const MapTransform transform(extent, c.view);
        const QPointF pixel = transform.ToScreen(c.mapPoint.x(), c.mapPoint.y());
        EXPECT_NEAR(pixel.x(), c.pixel.x(), 1e-9) << c.name;
        EXPECT_NEAR(pixel.y(), c.pixel.y(), 1e-9) << c.name;
        const QPointF back = transform.ToMap(pixel);
        EXPECT_NEAR(back.x(), c.mapPoint.x(), 1e-9) << c.name;
        EXPECT_NEAR(back.y(), c.mapPoint.y(), 1e-9) << c.name;
    }
}

TEST(MapTransform, VisibleBoundsCoverTheWholeViewAndKeepTheExtentsSpatialReference) {
    const auto reference = platform::SpatialReference::FromDefinition("EPSG:26915");
    const MapTransform transform(Envelope(0, 0, 100, 50, reference), QSizeF(100, 100));
    const Envelope visible = transform.VisibleBounds();
    EXPECT_DOUBLE_EQ(visible.XMin(), 0);
    EXPECT_DOUBLE_EQ(visible.XMax(), 100);
    EXPECT_DOUBLE_EQ(visible.YMin(), -25);
    EXPECT_DOUBLE_EQ(visible.YMax(), 75);
    EXPECT_TRUE(visible.SpatialReference().IsSame(reference));
    // A box dragged from right to left and bottom to top is the same rectangle.
    const Envelope box = transform.ToMap(QRectF(QPointF(50, 50), QPointF(0, 0)));
    EXPECT_DOUBLE_EQ(box.XMin(), 0);
    EXPECT_DOUBLE_EQ(box.YMax(), 75);
}

TEST(MapTransform, AnEmptyExtentOrViewDrawsNothing) {
    EXPECT_FALSE(MapTransform(Envelope(), QSizeF(100, 100)).IsValid());
    EXPECT_FALSE(MapTransform(Envelope(0, 0, 1, 1), QSizeF(0, 100)).IsValid());
    EXPECT_TRUE(MapTransform(Envelope(5, 5, 5, 5), QSizeF(100, 100)).IsValid()) << "a single point still shows";
    EXPECT_TRUE(MapTransform(Envelope(), QSizeF(100, 100)).VisibleBounds().IsEmpty());
}

}  // namespace
