#include "platform/data/Geometry.h"

#include <ogr_geometry.h>

#include "platform/com/Hresult.h"
#include "platform/data/GdalSupport.h"

namespace platform {

namespace {

void CollectParts(const OGRGeometry& geometry, std::vector<std::vector<Point2D>>& parts) {
    if (geometry.hasCurveGeometry()) {
        std::unique_ptr<OGRGeometry> linear(geometry.getLinearGeometry());
        if (linear) CollectParts(*linear, parts);
        return;
    }
    switch (wkbFlatten(geometry.getGeometryType())) {
    case wkbPoint: {
        const auto& point = *geometry.toPoint();
        if (!point.IsEmpty()) parts.push_back({{point.getX(), point.getY()}});
        break;
    }
    case wkbLineString:
    case wkbLinearRing: {
        const auto& line = *geometry.toSimpleCurve();
        std::vector<Point2D> points;
        points.reserve(static_cast<std::size_t>(line.getNumPoints()));
        for (int i = 0; i < line.getNumPoints(); ++i) points.push_back({line.getX(i), line.getY(i)});
        if (!points.empty()) parts.push_back(std::move(points));
        break;
    }
    case wkbPolygon:
        for (const auto* ring : *geometry.toPolygon()) CollectParts(*ring, parts);
        break;
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const auto* member : *geometry.toGeometryCollection()) CollectParts(*member, parts);
        break;
    default: break;
    }
}

}  // namespace

Geometry Geometry::FromWkt(const std::string& wkt, platform::SpatialReference sr) {
    GdalErrorCapture quiet;
    OGRGeometry* raw = nullptr;
    if (OGRGeometryFactory::createFromWkt(wkt.c_str(), nullptr, &raw) != OGRERR_NONE || raw == nullptr)
        throw DataError(E_INVALIDARG, quiet.Message("Unreadable geometry text: " + wkt));
    return WrapGeometry(std::unique_ptr<OGRGeometry>(raw), std::move(sr));
}

Geometry Geometry::MakePoint(double x, double y, platform::SpatialReference sr) {
    return WrapGeometry(std::make_unique<OGRPoint>(x, y), std::move(sr));
}

Geometry Geometry::FromEnvelope(const platform::Envelope& envelope) {
    if (envelope.IsEmpty()) return Geometry({}, envelope.SpatialReference());
    auto ring = std::make_unique<OGRLinearRing>();
    ring->addPoint(envelope.XMin(), envelope.YMin());
    ring->addPoint(envelope.XMin(), envelope.YMax());
    ring->addPoint(envelope.XMax(), envelope.YMax());
    ring->addPoint(envelope.XMax(), envelope.YMin());
    ring->addPoint(envelope.XMin(), envelope.YMin());
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(ring.release());
    return WrapGeometry(std::move(polygon), envelope.SpatialReference());
}

bool Geometry::IsEmpty() const {
    const OGRGeometry* g = OgrGeometry(*this);
    return g == nullptr || g->IsEmpty();
}

std::string Geometry::ToWkt() const {
    const OGRGeometry* g = OgrGeometry(*this);
    if (g == nullptr) return {};
    return g->exportToWkt();
}

platform::Envelope Geometry::Envelope() const {
    if (IsEmpty()) return platform::Envelope();
    OGREnvelope e;
    OgrGeometry(*this)->getEnvelope(&e);
    return platform::Envelope(e.MinX, e.MinY, e.MaxX, e.MaxY, sr_);
}

int Geometry::Dimension() const {
    if (IsEmpty()) return -1;
    return OgrGeometry(*this)->getDimension();
}

std::vector<std::vector<Point2D>> Geometry::Parts() const {
    std::vector<std::vector<Point2D>> parts;
    if (!IsEmpty()) CollectParts(*OgrGeometry(*this), parts);
    return parts;
}

Geometry Geometry::Project(const platform::SpatialReference& to) const {
    if (!NeedsTransformation(sr_, to)) return *this;
    if (IsEmpty()) return Geometry({}, to);
    GdalErrorCapture quiet;
    std::unique_ptr<OGRCoordinateTransformation> transformation(
        OGRCreateCoordinateTransformation(OgrSpatialReference(sr_), OgrSpatialReference(to)));
    std::unique_ptr<OGRGeometry> copy(OgrGeometry(*this)->clone());
    if (!transformation) throw DataError(E_FAIL, quiet.Message("No transformation between the spatial references"));
    if (copy->transform(transformation.get()) != OGRERR_NONE)
        throw DataError(E_FAIL, quiet.Message("The geometry could not be projected"));
    return WrapGeometry(std::move(copy), to);
}

bool Geometry::Intersects(const Geometry& other) const {
    if (IsEmpty() || other.IsEmpty()) return false;
    const Geometry projected = other.Project(sr_);
    GdalErrorCapture quiet;
    return OgrGeometry(*this)->Intersects(OgrGeometry(projected)) != 0;
}

}  // namespace platform
