#include "platform/data/Envelope.h"

#include <algorithm>

#include "platform/com/Hresult.h"
#include "platform/data/GdalSupport.h"
#include "platform/data/Geometry.h"

namespace platform {

Envelope::Envelope(double xmin, double ymin, double xmax, double ymax, platform::SpatialReference sr)
    : sr_(std::move(sr)) {
    PutCoords(xmin, ymin, xmax, ymax);
}

void Envelope::PutCoords(double xmin, double ymin, double xmax, double ymax) {
    xmin_ = std::min(xmin, xmax);
    xmax_ = std::max(xmin, xmax);
    ymin_ = std::min(ymin, ymax);
    ymax_ = std::max(ymin, ymax);
    empty_ = false;
}

void Envelope::QueryCoords(double& xmin, double& ymin, double& xmax, double& ymax) const {
    xmin = xmin_;
    ymin = ymin_;
    xmax = xmax_;
    ymax = ymax_;
}

void Envelope::Expand(double dx, double dy, bool asRatio) {
    if (empty_) return;
    if (asRatio) {
        dx = Width() * (dx - 1) / 2;
        dy = Height() * (dy - 1) / 2;
    }
    PutCoords(xmin_ - dx, ymin_ - dy, xmax_ + dx, ymax_ + dy);
}

void Envelope::Union(const Envelope& other) {
    if (other.empty_) return;
    const Envelope projected = other.Project(sr_);
    if (empty_) {
        platform::SpatialReference keep = sr_.IsUnknown() ? other.sr_ : sr_;
        *this = projected;
        sr_ = std::move(keep);
        return;
    }
    PutCoords(std::min(xmin_, projected.xmin_), std::min(ymin_, projected.ymin_),
              std::max(xmax_, projected.xmax_), std::max(ymax_, projected.ymax_));
}

bool Envelope::Intersects(const Envelope& other) const {
    if (empty_ || other.empty_) return false;
    return xmin_ <= other.xmax_ && other.xmin_ <= xmax_ && ymin_ <= other.ymax_ && other.ymin_ <= ymax_;
}

Envelope Envelope::Project(const platform::SpatialReference& to) const {
    if (empty_ || sr_.IsUnknown() || to.IsUnknown() || sr_.IsSame(to)) return *this;
    // A rectangle's edges bend in another projection: densify the outline so
    // the result covers them (20 steps an edge).
    Geometry outline = Geometry::FromEnvelope(*this);
    std::unique_ptr<OGRGeometry> dense(OgrGeometry(outline)->clone());
    const double step = std::max(Width(), Height()) / 20;
    if (step > 0) dense->segmentize(step);
    return WrapGeometry(std::move(dense), sr_).Project(to).Envelope();
}

bool operator==(const Envelope& a, const Envelope& b) {
    if (a.empty_ || b.empty_) return a.empty_ == b.empty_;
    return a.xmin_ == b.xmin_ && a.ymin_ == b.ymin_ && a.xmax_ == b.xmax_ && a.ymax_ == b.ymax_ &&
           a.sr_.IsSame(b.sr_);
}

}  // namespace platform
