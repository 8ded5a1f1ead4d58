#include "app/MapTransform.h"

#include <algorithm>

namespace desktop {

MapTransform::MapTransform(const platform::Envelope& extent, QSizeF viewSize)
    : sr_(extent.SpatialReference()), size_(viewSize) {
    if (extent.IsEmpty() || viewSize.width() < 1 || viewSize.height() < 1) return;
    // A single point (or a flat line) still gets a usable scale.
    const double width = std::max(extent.Width(), 1e-9);
    const double height = std::max(extent.Height(), 1e-9);
    scale_ = std::min(viewSize.width() / width, viewSize.height() / height);
    centreX_ = (extent.XMin() + extent.XMax()) / 2;
    centreY_ = (extent.YMin() + extent.YMax()) / 2;
}

QPointF MapTransform::ToScreen(double x, double y) const {
    return {size_.width() / 2 + (x - centreX_) * scale_, size_.height() / 2 - (y - centreY_) * scale_};
}

QPointF MapTransform::ToMap(QPointF pixel) const {
    if (!IsValid()) return {};
    return {centreX_ + (pixel.x() - size_.width() / 2) / scale_, centreY_ - (pixel.y() - size_.height() / 2) / scale_};
}

platform::Envelope MapTransform::ToMap(const QRectF& pixels) const {
    const QPointF a = ToMap(pixels.topLeft());
    const QPointF b = ToMap(pixels.bottomRight());
    return platform::Envelope(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
                              std::max(a.y(), b.y()), sr_);
}

platform::Envelope MapTransform::VisibleBounds() const {
    if (!IsValid()) return {};
    return ToMap(QRectF(QPointF(0, 0), size_));
}

}  // namespace desktop
