#include "platform/data/SpatialReference.h"

#include "platform/com/Hresult.h"
#include "platform/data/GdalSupport.h"

namespace platform {

SpatialReference SpatialReference::FromDefinition(const std::string& definition) {
    GdalErrorCapture quiet;
    OGRSpatialReference srs;
    if (definition.empty() || srs.SetFromUserInput(definition.c_str()) != OGRERR_NONE)
        throw DataError(E_INVALIDARG, quiet.Message("Unknown spatial reference: " + definition));
    return WrapSpatialReference(&srs);
}

SpatialReference SpatialReference::FromEpsg(int code) {
    GdalErrorCapture quiet;
    OGRSpatialReference srs;
    if (srs.importFromEPSG(code) != OGRERR_NONE)
        throw DataError(E_INVALIDARG, quiet.Message("Unknown EPSG code " + std::to_string(code)));
    return WrapSpatialReference(&srs);
}

std::string SpatialReference::Name() const {
    if (!impl_) return {};
    const char* name = impl_->srs.GetName();
    return name ? name : "";
}

std::string SpatialReference::ToWkt() const {
    if (!impl_) return {};
    char* wkt = nullptr;
    impl_->srs.exportToWkt(&wkt);
    std::string text = wkt ? wkt : "";
    CPLFree(wkt);
    return text;
}

bool SpatialReference::IsSame(const SpatialReference& other) const {
    if (!impl_ || !other.impl_) return !impl_ && !other.impl_;
    if (impl_ == other.impl_) return true;
    return impl_->srs.IsSame(&other.impl_->srs) != 0;
}

}  // namespace platform
