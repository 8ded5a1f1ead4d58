#include "platform/map/ActiveView.h"

namespace platform {

DisplayTransformation::DisplayTransformation(std::function<Envelope()> fullExtent,
                                             std::function<SpatialReference()> spatialReference)
    : fullExtent_(std::move(fullExtent)), spatialReference_(std::move(spatialReference)) {}

Envelope DisplayTransformation::VisibleBounds() const {
    if (bounds_.IsEmpty()) return fullExtent_ ? fullExtent_() : Envelope();
    const SpatialReference mapSr = spatialReference_ ? spatialReference_() : SpatialReference();
    if (bounds_.SpatialReference().IsUnknown() || mapSr.IsUnknown()) return bounds_;
    return bounds_.Project(mapSr);
}

void DisplayTransformation::VisibleBounds(const Envelope& bounds) {
    bounds_ = bounds;
    if (bounds_.SpatialReference().IsUnknown() && spatialReference_) bounds_.SpatialReference(spatialReference_());
}

}  // namespace platform
