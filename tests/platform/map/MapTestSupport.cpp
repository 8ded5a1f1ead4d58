#include "MapTestSupport.h"

#include <cstdlib>
#include <stdexcept>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/data/SelectionSet.h"
#include "platform/data/Table.h"
#include "platform/map/HostServices.h"

namespace maptest {

namespace {
GDALDriver* Driver(const char* name) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(name);
    if (!driver) throw std::runtime_error(std::string("no GDAL driver ") + name);
    return driver;
}

GDALDatasetUniquePtr Create(const std::filesystem::path& path, const char* driver) {
    GDALDatasetUniquePtr dataset(
        Driver(driver)->Create(path.string().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("cannot create " + path.string());
    return dataset;
}

OGRSpatialReference Epsg(int code) {
    OGRSpatialReference sr;
    sr.importFromEPSG(code);
    sr.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return sr;
}

void AddField(OGRLayer& layer, const char* name, OGRFieldType type, int width) {
    OGRFieldDefn field(name, type);
    field.SetWidth(width);
    if (layer.CreateField(&field) != OGRERR_NONE) throw std::runtime_error(std::string("field ") + name);
}

void AddFeature(OGRLayer& layer, const char* name, const char* wkt, int number = -1) {
    OGRFeature feature(layer.GetLayerDefn());
    feature.SetField("NAME", name);
    if (number >= 0) feature.SetField(1, number);
    if (wkt) {
        OGRGeometry* geometry = nullptr;
        OGRGeometryFactory::createFromWkt(wkt, nullptr, &geometry);
        feature.SetGeometryDirectly(geometry);
    }
    if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
}

// A rectangle in EPSG:3857 around the given longitudes and latitudes.
std::string MercatorBox(double lon0, double lat0, double lon1, double lat1) {
    OGRSpatialReference from = Epsg(4326);
    OGRSpatialReference to = Epsg(3857);
    std::unique_ptr<OGRCoordinateTransformation> transform(OGRCreateCoordinateTransformation(&from, &to));
    double xs[2] = {lon0, lon1};
    double ys[2] = {lat0, lat1};
    transform->Transform(2, xs, ys);
    char text[512];
    std::snprintf(text, sizeof text, "POLYGON ((%.3f %.3f,%.3f %.3f,%.3f %.3f,%.3f %.3f,%.3f %.3f))", xs[0], ys[0],
                  xs[1], ys[0], xs[1], ys[1], xs[0], ys[1], xs[0], ys[0]);
    return text;
}
}  // namespace

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-map-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteScene(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    {
        auto dataset = Create(folder / "cities.shp", "ESRI Shapefile");
        OGRSpatialReference sr = Epsg(4326);
        OGRLayer* layer = dataset->CreateLayer("cities", &sr, wkbPoint, nullptr);
        AddField(*layer, "NAME", OFTString, 20);
        AddField(*layer, "POP", OFTInteger, 9);
        AddFeature(*layer, "Oslo", "POINT (10.75 59.91)", 700000);
        AddFeature(*layer, "Bergen", "POINT (5.32 60.39)", 285000);
        AddFeature(*layer, "Tromso", "POINT (18.96 69.65)", 75000);
        AddFeature(*layer, "Alta", "POINT (23.27 69.97)", 20000);
    }
    {
        auto dataset = Create(folder / "zones.shp", "ESRI Shapefile");
        OGRSpatialReference sr = Epsg(3857);
        OGRLayer* layer = dataset->CreateLayer("zones", &sr, wkbPolygon, nullptr);
        AddField(*layer, "NAME", OFTString, 20);
        AddFeature(*layer, "south", MercatorBox(4, 58, 12, 61).c_str());
        AddFeature(*layer, "north", MercatorBox(18, 68, 25, 71).c_str());
    }
    {
        auto dataset = Create(folder / "people.dbf", "ESRI Shapefile");
        OGRLayer* layer = dataset->CreateLayer("people", nullptr, wkbNone, nullptr);
        AddField(*layer, "NAME", OFTString, 10);
        AddField(*layer, "AGE", OFTInteger, 3);
        AddFeature(*layer, "Ann", nullptr, 30);
        AddFeature(*layer, "Bob", nullptr, 45);
        AddFeature(*layer, "Cid", nullptr, 61);
    }
}

void MapTest::SetUp() {
    host_ = std::make_shared<platform::HeadlessHostServices>();
    previous_ = platform::SetHostServices(host_);
    WriteScene(folder_.Path() / "data");
}

void MapTest::TearDown() { platform::SetHostServices(previous_); }

std::vector<long long> Selected(const std::shared_ptr<platform::SelectionSet>& selection) {
    if (!selection) return {};
    return {selection->IDs().begin(), selection->IDs().end()};
}

std::vector<std::string> Names(platform::Table& table) {
    std::vector<std::string> names;
    auto cursor = table.Search(nullptr, false);
    const int field = cursor->FindField("NAME");
    while (auto row = cursor->NextRow()) names.push_back(row->Value(field).AsString());
    return names;
}

platform::ComError ExpectComError(const std::function<void()>& call) {
    try {
        call();
    } catch (const platform::ComError& error) {
        return error;
    }
    ADD_FAILURE() << "no ComError was raised";
    return platform::ComError(0, "", "");
}

}  // namespace maptest
