#include "TestData.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace testdata {

namespace {

struct City {
    const char* name;
    double x, y;
    int pop;  // -1: null
    double area;  // < 0: null
    int code;
    int year, month, day;  // year 0: null
    long long big;  // -1: null
};

const City kCities[] = {
    {"Oslo", 10.75, 59.91, 700000, 454.03, 3, 1950, 5, 17, 5000000000LL},
    {"Bergen", 5.32, 60.39, 285000, 465.3, 5, 1970, 1, 1, 1},
    {"Tromso", 18.96, 69.65, -1, 2521, 3, 0, 0, 0, -1},
    {"Alta", 23.27, 69.97, 20000, -1, 7, 2000, 2, 29, 2},
    {"Oslo", 10.80, 59.95, 1000, 10.5, 3, 1950, 5, 17, 3},
};

GDALDriver* Driver(const char* name) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(name);
    if (!driver) throw std::runtime_error(std::string("no GDAL driver ") + name);
    return driver;
}

void AddField(OGRLayer& layer, const char* name, OGRFieldType type, int width = 0, int precision = 0,
              OGRFieldSubType subType = OFSTNone) {
    OGRFieldDefn field(name, type);
    field.SetWidth(width);
    field.SetPrecision(precision);
    field.SetSubType(subType);
    if (layer.CreateField(&field) != OGRERR_NONE) throw std::runtime_error(std::string("field ") + name);
}

void Create(OGRLayer& layer, OGRFeature& feature) {
    if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
}

void WriteCities(GDALDataset& dataset, bool geopackage) {
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRLayer* layer = dataset.CreateLayer("cities", &wgs84, wkbPoint, nullptr);
    if (!layer) throw std::runtime_error("cities layer");
    AddField(*layer, "NAME", OFTString, 20);
    AddField(*layer, "POP", OFTInteger, geopackage ? 0 : 9);
    AddField(*layer, "AREA", OFTReal, geopackage ? 0 : 12, geopackage ? 0 : 3);
    AddField(*layer, "CODE", OFTInteger, geopackage ? 0 : 4, 0, geopackage ? OFSTInt16 : OFSTNone);
    AddField(*layer, "FOUNDED", geopackage ? OFTDateTime : OFTDate);
    AddField(*layer, "BIG", OFTInteger64, geopackage ? 0 : 12);
    for (const City& c : kCities) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("NAME", c.name);
        if (c.pop >= 0) feature.SetField("POP", c.pop); else feature.SetFieldNull(feature.GetFieldIndex("POP"));
        if (c.area >= 0) feature.SetField("AREA", c.area); else feature.SetFieldNull(feature.GetFieldIndex("AREA"));
        feature.SetField("CODE", c.code);
        if (c.year) feature.SetField(feature.GetFieldIndex("FOUNDED"), c.year, c.month, c.day);
        else feature.SetFieldNull(feature.GetFieldIndex("FOUNDED"));
        if (c.big >= 0) feature.SetField("BIG", static_cast<GIntBig>(c.big));
        else feature.SetFieldNull(feature.GetFieldIndex("BIG"));
        OGRPoint point(c.x, c.y);
        feature.SetGeometry(&point);
        if (layer->CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("city");
    }
}

void WriteShapefile(const std::string& path) {
    GDALDatasetUniquePtr dataset(Driver("ESRI Shapefile")->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("shapefile");
    WriteCities(*dataset, false);
}

void WriteGeoPackage(const std::string& path) {
    GDALDatasetUniquePtr dataset(Driver("GPKG")->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("geopackage");
    WriteCities(*dataset, true);
    OGRLayer* notes = dataset->CreateLayer("notes", nullptr, wkbNone, nullptr);
    AddField(*notes, "TEXT", OFTString);
    AddField(*notes, "SCORE", OFTReal, 0, 0, OFSTFloat32);
    const char* texts[] = {"alpha", "beta"};
    for (int i = 0; i < 2; ++i) {
        OGRFeature feature(notes->GetLayerDefn());
        feature.SetField("TEXT", texts[i]);
        feature.SetField("SCORE", 1.5 * (i + 1));
        Create(*notes, feature);
    }
}

void WriteDbase(const std::string& path) {
    GDALDatasetUniquePtr dataset(Driver("ESRI Shapefile")->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("dbase");
    OGRLayer* layer = dataset->CreateLayer("people", nullptr, wkbNone, nullptr);
    AddField(*layer, "NAME", OFTString, 20);
    AddField(*layer, "AGE", OFTInteger, 3);
    AddField(*layer, "SALARY", OFTReal, 10, 2);
    struct Person { const char* name; int age; double salary; };
    const Person people[] = {{"Ann", 34, 1200.5}, {"Bob", -1, -1}, {"Cid", 51, 900}};
    for (const Person& p : people) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("NAME", p.name);
        if (p.age >= 0) feature.SetField("AGE", p.age); else feature.SetFieldNull(1);
        if (p.salary >= 0) feature.SetField("SALARY", p.salary); else feature.SetFieldNull(2);
        Create(*layer, feature);
    }
}

void WriteCsv(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "REGION,AMOUNT,DAY\r\nNorth,10.5,2020-01-02\r\nSouth,7.25,2020-01-03\r\nNorth,,2020-01-04\r\n";
}

}  // namespace

DataFolder::DataFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-data-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("temporary folder");
    path_ = pattern;
    WriteShapefile(Shapefile());
    WriteGeoPackage(GeoPackage());
    WriteDbase(Dbase());
    WriteCsv(Csv());
}

DataFolder::~DataFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::shared_ptr<GDALDataset> MemoryParts() {
    std::shared_ptr<GDALDataset> dataset(Driver("Memory")->Create("parts", 0, 0, 0, GDT_Unknown, nullptr),
                                         [](GDALDataset* d) { GDALClose(d); });
    OGRLayer* layer = dataset->CreateLayer("parts", nullptr, wkbNone, nullptr);
    AddField(*layer, "POPULATION_A", OFTInteger);
    AddField(*layer, "POPULATION_B", OFTInteger);
    AddField(*layer, "KIND", OFTString);
    const struct { int a, b; const char* kind; } rows[] = {{1, 10, "x"}, {2, 20, "y"}, {3, 30, "x"}, {4, 40, "z"}};
    for (const auto& r : rows) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("POPULATION_A", r.a);
        feature.SetField("POPULATION_B", r.b);
        feature.SetField("KIND", r.kind);
        Create(*layer, feature);
    }
    return dataset;
}

}  // namespace testdata
