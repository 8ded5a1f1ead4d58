#pragma once
#include <memory>
#include <string>

namespace platform {

// A coordinate system, or none ("unknown"). A cheap-to-copy value: copies share
// one immutable definition. Axis order is always x = easting/longitude,
// y = northing/latitude, whatever the authority says.
class SpatialReference {
public:
    SpatialReference() = default;  // unknown

    // Any definition GDAL understands: WKT, PROJ string, "EPSG:4326".
    // An unreadable definition raises ComError E_INVALIDARG.
    static SpatialReference FromDefinition(const std::string& definition);
    static SpatialReference FromEpsg(int code);

    bool IsUnknown() const { return impl_ == nullptr; }
    std::string Name() const;  // "" when unknown
    std::string ToWkt() const; // "" when unknown
    // Same coordinate system (unknown is the same only as unknown).
    bool IsSame(const SpatialReference& other) const;

    struct Impl;
    explicit SpatialReference(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}
    const std::shared_ptr<const Impl>& impl() const { return impl_; }

private:
    std::shared_ptr<const Impl> impl_;
};

}  // namespace platform
