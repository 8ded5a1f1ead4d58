#pragma once
#include "platform/data/SpatialReference.h"

namespace platform {

// An axis-aligned rectangle in one spatial reference; empty until given
// coordinates. A plain value type (the host's Envelope object is held by the
// map side as it needs).
class Envelope {
public:
    Envelope() = default;  // empty
    Envelope(double xmin, double ymin, double xmax, double ymax, SpatialReference sr = {});

    bool IsEmpty() const { return empty_; }
    double XMin() const { return xmin_; }
    double YMin() const { return ymin_; }
    double XMax() const { return xmax_; }
    double YMax() const { return ymax_; }
    double Width() const { return empty_ ? 0 : xmax_ - xmin_; }
    double Height() const { return empty_ ? 0 : ymax_ - ymin_; }

    // Sets the four coordinates, swapping them where min exceeds max.
    void PutCoords(double xmin, double ymin, double xmax, double ymax);
    void QueryCoords(double& xmin, double& ymin, double& xmax, double& ymax) const;

    const platform::SpatialReference& SpatialReference() const { return sr_; }
    void SpatialReference(platform::SpatialReference sr) { sr_ = std::move(sr); }

    // Grows (or shrinks, with negative amounts) each side; with asRatio the
    // amounts are factors of the width and height (2 doubles them about the centre).
    void Expand(double dx, double dy, bool asRatio);
    // Grows to cover other, which is first projected into this envelope's
    // spatial reference when both are known and differ. An empty this takes
    // other as it is.
    void Union(const Envelope& other);
    bool Intersects(const Envelope& other) const;  // same coordinates assumed
    // The envelope of this rectangle's outline in another spatial reference
    // (densified, so curved edges are covered). Unknown on either side: a copy.
    Envelope Project(const platform::SpatialReference& to) const;

    friend bool operator==(const Envelope& a, const Envelope& b);

private:
    bool empty_ = true;
    double xmin_ = 0, ymin_ = 0, xmax_ = 0, ymax_ = 0;
    platform::SpatialReference sr_;
};

}  // namespace platform
