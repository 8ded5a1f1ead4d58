#pragma once
// Small real datasets in a temporary folder, the same content in each format.
//
// cities (points in EPSG:4326), FID order:
//   0 Oslo   (10.75 59.91) POP 700000 AREA 454.03 CODE 3 FOUNDED 1950-05-17 BIG 5000000000
//   1 Bergen ( 5.32 60.39) POP 285000 AREA 465.3  CODE 5 FOUNDED 1970-01-01 BIG 1
//   2 Tromso (18.96 69.65) POP null   AREA 2521   CODE 3 FOUNDED null       BIG null
//   3 Alta   (23.27 69.97) POP 20000  AREA null   CODE 7 FOUNDED 2000-02-29 BIG 2
//   4 Oslo   (10.80 59.95) POP 1000   AREA 10.5   CODE 3 FOUNDED 1950-05-17 BIG 3
#include <filesystem>
#include <memory>
#include <string>

class GDALDataset;

namespace testdata {

class DataFolder {
public:
    DataFolder();
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

    // cities.shp with the rows above.
    std::string Shapefile() const { return File("cities.shp"); }
    // world.gpkg: layer "cities" (fid from 1) and the table "notes".
    std::string GeoPackage() const { return File("world.gpkg"); }
    // people.dbf: NAME, AGE (N 3), SALARY (N 10.2); Bob's AGE and SALARY null.
    std::string Dbase() const { return File("people.dbf"); }
    // sales.csv: REGION, AMOUNT, DAY; three rows, the third without AMOUNT.
    std::string Csv() const { return File("sales.csv"); }

private:
    std::filesystem::path path_;
};

// A Memory dataset with the layer "parts": POPULATION_A, POPULATION_B (integers), KIND (text).
std::shared_ptr<GDALDataset> MemoryParts();

}  // namespace testdata
