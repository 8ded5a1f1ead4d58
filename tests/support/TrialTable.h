#pragma once
// The trial table of the where-clause tests, written with GDAL into any kind
// of file source: text with backslashes, quotes, case and trailing-blank
// pairs and non-ASCII letters, a key-word column ("GROUP"), a non-ASCII one
// ("Höhe"), 64-bit integers, -0.0, a boolean, and Nulls in every column.
#include <filesystem>
#include <ostream>
#include <stdexcept>

#include "tests/support/GdalTestData.h"

namespace testsupport {

// Fields NAME, GROUP, Höhe, DAY, N, BIG as GDAL reads them from text; null
// for Null.
inline const char* const kTrialRows[][6] = {
    {"plain", "1", "0.1", "2001-05-03", "1", "12345678901234567"},
    {"Plain", "2", "0.30000000000000004", "2001-05-10", "2", "5"},
    {"x", nullptr, "-0.0", nullptr, nullptr, "-9007199254740993"},
    {"x ", "3", "1e-7", "2001-05-31", "3", "7"},
    {"O'Neil", "1", "2.5", "2001-05-03", nullptr, "0"},
    {"ends\\", "2", nullptr, "2001-06-01", "5", "1"},
    {"a\\'b", "3", "100", nullptr, "1", "2"},
    {"Caf\xc3\xa9", "1", "0.1", "2000-12-31", "2", "3"},
    {"50%", nullptr, "7.25", "2001-05-03", "8", "4"},
    {"under_score", "2", "3", "2001-05-10", "9", "5"},
    {nullptr, "4", "4.5", "2001-05-04", "10", "6"},
    {"CAF\xc3\x89", "5", "-1", "2002-01-01", "11", "7"},
};

// Points at (i, i) for a layer, from 1.
inline void WriteTrialTable(GDALDataset& dataset, const char* layerName, OGRwkbGeometryType type) {
    OGRLayer& layer = NewLayer(dataset, layerName, type);
    AddField(layer, "NAME", OFTString, 30);
    AddField(layer, "GROUP", OFTInteger, 9);
    AddField(layer, "H\xc3\xb6he", OFTReal, 24, 17);
    AddField(layer, "DAY", OFTDate);
    AddField(layer, "N", OFTInteger, 9);
    AddField(layer, "BIG", OFTInteger64, 20);
    OGRFieldDefn ok("OK", OFTInteger);
    ok.SetSubType(OFSTBoolean);
    if (layer.CreateField(&ok) != OGRERR_NONE) throw std::runtime_error("trial boolean");
    int i = 0;
    for (const auto& row : kTrialRows) {
        OGRFeature feature(layer.GetLayerDefn());
        for (int f = 0; f < 6; ++f) row[f] ? feature.SetField(f, row[f]) : feature.SetFieldNull(f);
        ++i;
        i % 3 == 0 ? feature.SetFieldNull(6) : feature.SetField(6, i % 2);
        OGRPoint point(i, i);
        if (type != wkbNone) feature.SetGeometry(&point);
        if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("trial row");
    }
}

// Where WriteTrialSources puts the trial table: file, layer (a GeoPackage's;
// "" for an OGR SQL file's only one), the object ID of the first row, whether
// it has points.
struct TrialSource {
    const char* name;
    const char* file;
    const char* layer;
    long long first;
    bool points;
};
inline void PrintTo(const TrialSource& source, std::ostream* out) { *out << source.name; }
inline const TrialSource kTrialSources[] = {
    {"shapefile", "trial.shp", "", 0, true},      {"dBASE", "trial_table.dbf", "", 0, false},
    {"CSV", "trial.csv", "", 1, false},           {"GeoPackageLayer", "trial.gpkg", "trial", 1, true},
    {"GeoPackageTable", "trial.gpkg", "trial_table", 1, false},
};

// The trial table as every kind of file data: trial.shp, trial_table.dbf,
// trial.csv and trial.gpkg (layer "trial", table "trial_table").
inline void WriteTrialSources(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    WriteTrialTable(*Create(folder / "trial.shp", "ESRI Shapefile"), "trial", wkbPoint);
    WriteTrialTable(*Create(folder / "trial_table.dbf", "ESRI Shapefile"), "trial_table", wkbNone);
    WriteTrialTable(*Create(folder / "trial.csv", "CSV"), "trial", wkbNone);
    auto geopackage = Create(folder / "trial.gpkg", "GPKG");
    WriteTrialTable(*geopackage, "trial", wkbPoint);
    WriteTrialTable(*geopackage, "trial_table", wkbNone);
}

}  // namespace testsupport
