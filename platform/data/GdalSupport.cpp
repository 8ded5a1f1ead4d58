#include "platform/data/GdalSupport.h"

#include <mutex>

#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal.h>

namespace platform {

void EnsureGdalRegistered() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

GdalErrorCapture::GdalErrorCapture() {
    CPLPushErrorHandlerEx(
        [](CPLErr errorClass, CPLErrorNum errorNumber, const char* message) {
            Handler(static_cast<int>(errorClass), errorNumber, message);
        },
        this);
    CPLErrorReset();
}

GdalErrorCapture::~GdalErrorCapture() { CPLPopErrorHandler(); }

void GdalErrorCapture::Handler(int errorClass, int, const char* message) {
    auto* self = static_cast<GdalErrorCapture*>(CPLGetErrorHandlerUserData());
    if (self == nullptr || errorClass < CE_Failure) return;
    self->failed_ = true;
    // GDAL often follows the real cause with a summary; keep both.
    const std::string text = message ? message : "";
    if (!text.empty() && self->message_.find(text) == std::string::npos)
        self->message_ += (self->message_.empty() ? "" : "\n") + text;
}

std::string GdalErrorCapture::Message(const std::string& fallback) const {
    return message_.empty() ? fallback : message_;
}

void GdalErrorCapture::Reset() {
    failed_ = false;
    message_.clear();
    CPLErrorReset();
}

ComError DataError(std::int32_t number, const std::string& description) {
    return ComError(number, kDataErrorSource, description);
}

SpatialReference WrapSpatialReference(const OGRSpatialReference* srs) {
    if (srs == nullptr) return {};
    auto impl = std::make_shared<SpatialReference::Impl>();
    impl->srs = *srs;
    impl->srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return SpatialReference(std::move(impl));
}

const OGRSpatialReference* OgrSpatialReference(const SpatialReference& sr) {
    return sr.IsUnknown() ? nullptr : &sr.impl()->srs;
}

Geometry WrapGeometry(std::unique_ptr<OGRGeometry> geometry, SpatialReference sr) {
    if (!geometry) return Geometry({}, std::move(sr));
    geometry->assignSpatialReference(nullptr);
    auto impl = std::make_shared<Geometry::Impl>();
    impl->geometry = std::move(geometry);
    return Geometry(std::move(impl), std::move(sr));
}

const OGRGeometry* OgrGeometry(const Geometry& geometry) {
    return geometry.impl() ? geometry.impl()->geometry.get() : nullptr;
}

bool NeedsTransformation(const SpatialReference& from, const SpatialReference& to) {
    return !from.IsUnknown() && !to.IsUnknown() && !from.IsSame(to);
}

std::string TextFromSource(const char* text) {
    if (CPLIsUTF8(text, -1)) return text;
    std::unique_ptr<char, decltype(&CPLFree)> decoded(CPLRecode(text, "CP1252", CPL_ENC_UTF8), &CPLFree);
    return decoded ? std::string(decoded.get()) : std::string();
}

}  // namespace platform
