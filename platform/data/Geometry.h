#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Envelope.h"
#include "platform/data/SpatialReference.h"

namespace platform {

struct Point2D {
    double x = 0;
    double y = 0;
};

// A shape (point, line, polygon, or a collection of them) with its spatial
// reference. A cheap-to-copy immutable value: copies share one geometry, and
// every operation that changes it returns a new one.
class Geometry {
public:
    Geometry() = default;  // empty

    // Well-known text; unreadable text raises ComError E_INVALIDARG.
    static Geometry FromWkt(const std::string& wkt, platform::SpatialReference sr = {});
    static Geometry MakePoint(double x, double y, platform::SpatialReference sr = {});
    // The rectangle as a polygon, in the envelope's spatial reference.
    static Geometry FromEnvelope(const platform::Envelope& envelope);

    bool IsEmpty() const;
    std::string ToWkt() const;  // "" when empty
    const platform::SpatialReference& SpatialReference() const { return sr_; }
    platform::Envelope Envelope() const;

    // 0 points, 1 lines, 2 areas; -1 when empty.
    int Dimension() const;
    // Every point sequence: a point is a one-point part, a line one part, a
    // polygon one part per ring (outer first); collections list their members' parts.
    std::vector<std::vector<Point2D>> Parts() const;

    // This geometry in another spatial reference. When either side is unknown
    // there is nothing to transform: the geometry comes back unchanged, with its
    // own reference. A transformation that fails raises ComError E_FAIL.
    Geometry Project(const platform::SpatialReference& to) const;

    // Exact test (not envelopes only); other is projected into this
    // geometry's spatial reference first when both are known and differ.
    // Empty geometries intersect nothing.
    bool Intersects(const Geometry& other) const;

    struct Impl;
    Geometry(std::shared_ptr<const Impl> impl, platform::SpatialReference sr)
        : impl_(std::move(impl)), sr_(std::move(sr)) {}
    const std::shared_ptr<const Impl>& impl() const { return impl_; }

private:
    std::shared_ptr<const Impl> impl_;
    platform::SpatialReference sr_;
};

}  // namespace platform
