#pragma once
// The trial table of the where-clause tests, written with GDAL into any kind
// of file source: text with backslashes, quotes, case and trailing-blank
// pairs and non-ASCII letters, a key-word column ("GROUP"), a non-ASCII one
// ("Höhe"), 64-bit integers, -0.0, and Nulls in every column.
#include <optional>
#include <string>
#include <vector>

#include "tests/support/GdalTestData.h"

namespace testsupport {

struct TrialRow {
    std::optional<std::string> name;
    std::optional<int> group;
    std::optional<double> height;
    std::optional<int> day;  // yyyymmdd
    std::optional<int> n;
    long long big;
};

inline const std::vector<TrialRow>& TrialRows() {
    static const std::vector<TrialRow> rows = {
        {"plain", 1, 0.1, 20010503, 1, 12345678901234567LL},
        {"Plain", 2, 0.30000000000000004, 20010510, 2, 5},
        {"x", {}, -0.0, {}, {}, -9007199254740993LL},
        {"x ", 3, 1e-7, 20010531, 3, 7},
        {"O'Neil", 1, 2.5, 20010503, {}, 0},
        {"ends\\", 2, {}, 20010601, 5, 1},
        {"a\\'b", 3, 100, {}, 1, 2},
        {"Caf\xc3\xa9", 1, 0.1, 20001231, 2, 3},
        {"50%", {}, 7.25, 20010503, 8, 4},
        {"under_score", 2, 3, 20010510, 9, 5},
        {{}, 4, 4.5, 20010504, 10, 6},
        {"CAF\xc3\x89", 5, -1, 20020101, 11, 7},
    };
    return rows;
}

// Fields NAME, GROUP, Höhe, DAY, N, BIG; points at (i, i) for a layer.
inline void WriteTrialTable(GDALDataset& dataset, const char* layerName, OGRwkbGeometryType type) {
    OGRLayer& layer = NewLayer(dataset, layerName, type);
    AddField(layer, "NAME", OFTString, 30);
    AddField(layer, "GROUP", OFTInteger, 9);
    AddField(layer, "H\xc3\xb6he", OFTReal, 24, 17);
    AddField(layer, "DAY", OFTDate);
    AddField(layer, "N", OFTInteger, 9);
    AddField(layer, "BIG", OFTInteger64, 20);
    int i = 0;
    for (const TrialRow& row : TrialRows()) {
        OGRFeature feature(layer.GetLayerDefn());
        for (int f = 0; f < feature.GetFieldCount(); ++f) feature.SetFieldNull(f);
        if (row.name) feature.SetField(0, row.name->c_str());
        if (row.group) feature.SetField(1, *row.group);
        if (row.height) feature.SetField(2, *row.height);
        if (row.day) feature.SetField(3, *row.day / 10000, *row.day / 100 % 100, *row.day % 100, 0, 0, 0, 0);
        if (row.n) feature.SetField(4, *row.n);
        feature.SetField(5, static_cast<GIntBig>(row.big));
        ++i;
        OGRPoint point(i, i);
        if (type != wkbNone) feature.SetGeometry(&point);
        if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("trial row");
    }
}

// The trial table as every kind of file data: trial.shp, trial_table.dbf,
// trial.csv and trial.gpkg (layer "trial", table "trial_table").
inline void WriteTrialSources(const std::filesystem::path& folder) {
    WriteTrialTable(*Create(folder / "trial.shp", "ESRI Shapefile"), "trial", wkbPoint);
    WriteTrialTable(*Create(folder / "trial_table.dbf", "ESRI Shapefile"), "trial_table", wkbNone);
    WriteTrialTable(*Create(folder / "trial.csv", "CSV"), "trial", wkbNone);
    auto geopackage = Create(folder / "trial.gpkg", "GPKG");
    WriteTrialTable(*geopackage, "trial", wkbPoint);
    WriteTrialTable(*geopackage, "trial_table", wkbNone);
}

}  // namespace testsupport
