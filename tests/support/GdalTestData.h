#pragma once
// Writing small real data sets (shapefiles, dBASE tables, GeoPackages) with GDAL.
#include <filesystem>
#include <stdexcept>
#include <string>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace testsupport {

inline GDALDatasetUniquePtr Create(const std::filesystem::path& path, const char* driverName) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    if (!driver) throw std::runtime_error(std::string("no GDAL driver ") + driverName);
    GDALDatasetUniquePtr dataset(driver->Create(path.string().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("cannot create " + path.string());
    return dataset;
}

// Opens a data set to read, a CSV file with its column types guessed.
inline GDALDatasetUniquePtr OpenRead(const std::filesystem::path& path) {
    const char* csv[] = {"AUTODETECT_TYPE=YES", nullptr};
    return GDALDatasetUniquePtr(GDALDataset::Open(path.string().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                                                  path.extension() == ".csv" ? csv : nullptr));
}

// A layer in WGS 84 (x as longitude); a table (wkbNone) has no reference.
inline OGRLayer& NewLayer(GDALDataset& dataset, const char* name, OGRwkbGeometryType type) {
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRLayer* layer = dataset.CreateLayer(name, type == wkbNone ? nullptr : &wgs84, type, nullptr);
    if (!layer) throw std::runtime_error(std::string("layer ") + name);
    return *layer;
}

inline void AddField(OGRLayer& layer, const char* name, OGRFieldType type, int width = 0, int precision = 0) {
    OGRFieldDefn field(name, type);
    field.SetWidth(width);
    field.SetPrecision(precision);
    if (layer.CreateField(&field) != OGRERR_NONE) throw std::runtime_error(std::string("field ") + name);
}

}  // namespace testsupport
