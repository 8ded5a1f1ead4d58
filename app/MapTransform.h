#pragma once
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "platform/data/Envelope.h"

namespace desktop {

// Map coordinates to pixels, as plain numbers that any thread may use.
struct ScreenMapping {
    double halfWidth = 0, halfHeight = 0, centreX = 0, centreY = 0, scale = 0;
    double ScreenX(double x) const { return halfWidth + (x - centreX) * scale; }
    double ScreenY(double y) const { return halfHeight - (y - centreY) * scale; }
    double MapX(double pixel) const { return centreX + (pixel - halfWidth) / scale; }
    double MapY(double pixel) const { return centreY - (pixel - halfHeight) / scale; }
    bool operator==(const ScreenMapping&) const = default;
};

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
    ScreenMapping Mapping() const {
        return {size_.width() / 2, size_.height() / 2, centreX_, centreY_, scale_};
    }

private:
    platform::SpatialReference sr_;
    QSizeF size_;
    double scale_ = 0;
    double centreX_ = 0, centreY_ = 0;
};

}  // namespace desktop
