#pragma once
// Adapter internals shared by the GDAL-backed files of the data stand-in.
// Only platform/data's own sources include this header.
#include <memory>
#include <string>

#include <ogr_geometry.h>
#include <ogr_spatialref.h>

#include "platform/com/ComError.h"
#include "platform/data/Geometry.h"
#include "platform/data/SpatialReference.h"

namespace platform {

inline constexpr const char* kDataErrorSource = "Tessaly.Data";

// Registers GDAL's drivers once per process.
void EnsureGdalRegistered();

// While alive, GDAL reports nothing on stderr; failures are collected here so
// they can become the Description of our own error.
class GdalErrorCapture {
public:
    GdalErrorCapture();
    ~GdalErrorCapture();
    GdalErrorCapture(const GdalErrorCapture&) = delete;
    GdalErrorCapture& operator=(const GdalErrorCapture&) = delete;

    bool Failed() const { return failed_; }
    // The failures' messages, one a line, or fallback when GDAL gave none.
    std::string Message(const std::string& fallback) const;
    void Reset();

private:
    static void Handler(int errorClass, int errorNumber, const char* message);
    bool failed_ = false;
    std::string message_;
};

ComError DataError(std::int32_t number, const std::string& description);

// A text as GDAL hands it out, as UTF-8: kept when it is valid UTF-8, else read
// as Windows-1252 (a dBASE table without a .cpg holds its bytes undecoded).
std::string TextFromSource(const char* text);

struct SpatialReference::Impl {
    OGRSpatialReference srs;
};

struct Geometry::Impl {
    std::unique_ptr<OGRGeometry> geometry;
};

// A copy of a GDAL spatial reference (nullptr gives unknown).
SpatialReference WrapSpatialReference(const OGRSpatialReference* srs);
const OGRSpatialReference* OgrSpatialReference(const SpatialReference& sr);
Geometry WrapGeometry(std::unique_ptr<OGRGeometry> geometry, SpatialReference sr);
const OGRGeometry* OgrGeometry(const Geometry& geometry);
// True when both are known and differ, so coordinates must be transformed.
bool NeedsTransformation(const SpatialReference& from, const SpatialReference& to);

}  // namespace platform
