#pragma once
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "platform/data/Envelope.h"

namespace desktop {

// Map coordinates to the pixels of a view and back: the extent fills the view
// as far as it can without distortion, centred, y growing upwards.
class MapTransform {
public:
    MapTransform(const platform::Envelope& extent, QSizeF viewSize);

    bool IsValid() const { return scale_ > 0; }
    QPointF ToScreen(double x, double y) const;
    QPointF ToMap(QPointF pixel) const;
    // The map rectangle the whole view shows (at least the extent).
    platform::Envelope VisibleBounds() const;
    // The map rectangle under a rectangle of pixels.
    platform::Envelope ToMap(const QRectF& pixels) const;
    double PixelsPerUnit() const { return scale_; }

private:
    platform::SpatialReference sr_;
    QSizeF size_;
    double scale_ = 0;
    double centreX_ = 0, centreY_ = 0;
};

}  // namespace desktop
