// Files change while the document is open: every reading command reads the
// data as they are now, or reports a data problem, for each kind of file data
// and each way a file changes under an open layer.
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <cpl_conv.h>

#include "QuerySummaryTestSupport.h"
#include "tests/support/DataChangeCommands.h"
#include "tests/support/GdalTestData.h"

namespace qstest {
namespace {

namespace fs = std::filesystem;
using datachange::Expect;

// Bytes written over the .dbf header (record length, header length, the
// first field's width); none: the file cut there.
const std::map<std::string, std::pair<std::streamoff, std::string>> kDamages = {
    {"CutTo40Bytes", {40, ""}},
    {"RecordLength1", {10, std::string("\x01\x00", 2)}},
    {"HeaderLength0", {8, std::string("\x00\x00", 2)}},
    {"HeaderLength65535", {8, "\xFF\xFF"}},
    {"Field255Wide", {32 + 16, "\xFF"}}};

// A damaged header is a dBASE matter, a table added elsewhere one of a
// database, and a GeoPackage in WAL mode stays open in its editor, so it is
// changed in place only. Damage is a data problem.
using Case = std::pair<std::string, std::string>;  // kind of data, change
std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (const std::string kind : {"Shapefile", "Dbase", "GeoPackage", "GeoPackageWal"})
        for (const std::string change : {"RowsAdded", "RowsRemoved", "ReplacedSameSizeOldTime", "ColumnRemoved",
                                         "ColumnAdded", "ColumnsReordered", "TableAdded", "CutTo40Bytes",
                                         "RecordLength1", "HeaderLength0", "HeaderLength65535", "Field255Wide"})
            if (kDamages.contains(change) ? !kind.starts_with("GeoPackage")
                : change == "TableAdded"     ? kind.starts_with("GeoPackage")
                                             : change != "ReplacedSameSizeOldTime" || kind != "GeoPackageWal")
                cases.emplace_back(kind, change);
    return cases;
}

void AddColumn(OGRLayer& layer, const std::string& name) {
    if (name == "VAL") return testsupport::AddField(layer, "VAL", OFTReal, 12, 3);
    testsupport::AddField(layer, name.c_str(), name == "NAME" ? OFTString : OFTInteger, name == "NAME" ? 10 : 6);
}
// A row; the n-th row written with the table also has N and a point.
void AddRow(OGRLayer& layer, const char* name, double val, int n = 0) {
    OGRFeature feature(layer.GetLayerDefn());
    feature.SetField("NAME", name);
    feature.SetField("VAL", val);
    OGRPoint point(n, n);
    if (n && layer.GetLayerDefn()->GetFieldIndex("N") >= 0) feature.SetField("N", n);
    if (n && layer.GetGeomType() != wkbNone) feature.SetGeometry(&point);
    ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
}

class DataChangesTest : public QuerySummaryTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        if (wal_) CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", "WAL");
        Write(path_, {"NAME", "VAL", "N"});
    }
    void TearDown() override {
        editor_.reset();
        CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", nullptr);
    }

    // Writes the layer "points" afresh with these columns, VAL raised by `raise`.
    void Write(const std::string& path, const std::vector<std::string>& columns, double raise = 0) const {
        if (!gpkg_) {
            CPLErrorHandlerPusher quiet(CPLQuietErrorHandler);
            GetGDALDriverManager()->GetDriverByName("ESRI Shapefile")->Delete(path.c_str());
        }
        auto dataset = testsupport::Create(path, gpkg_ ? "GPKG" : "ESRI Shapefile");
        OGRLayer& layer = testsupport::NewLayer(*dataset, "points", table_ ? wkbNone : wkbPoint);
        for (const auto& column : columns) AddColumn(layer, column);
        const std::pair<const char*, double> rows[] = {{"ann", 1.5}, {"bob", 2.25}, {"ann", 3},
                                                       {"cid", 4.5}, {"bob", 0.5},  {"dan", 6}};
        for (int n = 1; const auto& [name, val] : rows) AddRow(layer, name, val + raise, n++);
    }

    // Edits the data in place, as another program does; a GeoPackage in WAL
    // mode stays open in it, its log not written back.
    void InPlace(const std::function<void(GDALDataset&, OGRLayer&)>& edit) {
        editor_.reset(GDALDataset::Open(path_.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
        ASSERT_TRUE(editor_) << path_;
        edit(*editor_, *editor_->GetLayerByName("points"));
        editor_->FlushCache();
        if (!wal_) editor_.reset();
    }
    // Rewrites a file's columns; a GeoPackage's change in place.
    void Columns(const std::vector<std::string>& columns, const std::function<OGRErr(OGRLayer&)>& inPlace) {
        if (!gpkg_) return Write(path_, columns);
        InPlace([&](GDALDataset&, OGRLayer& layer) { ASSERT_EQ(inPlace(layer), OGRERR_NONE); });
    }

    // The same rows with other values, written beside the files and renamed
    // over them with their sizes and times, as a sync tool does.
    void ReplaceKeepingSizeAndTime() const {
        const fs::path beside = Folder() / "new";
        fs::create_directories(beside);
        Write((beside / fs::path(path_).filename()).string(), {"NAME", "VAL", "N"}, 1);
        for (const auto& entry : fs::directory_iterator(beside)) {
            const fs::path old = Folder() / entry.path().filename();
            struct stat info {};
            ASSERT_EQ(::stat(old.c_str(), &info), 0) << old;
            ASSERT_EQ(fs::file_size(entry.path()), static_cast<std::uintmax_t>(info.st_size)) << old;
            const timespec times[2] = {info.st_atim, info.st_mtim};
            ASSERT_EQ(::utimensat(AT_FDCWD, entry.path().c_str(), times, 0), 0);
            fs::rename(entry.path(), old);
        }
    }

    void Apply(const std::string& change) {
        if (change == "RowsAdded")
            return InPlace([](GDALDataset&, OGRLayer& layer) {
                AddRow(layer, "eve", 7.25), AddRow(layer, "eve", 8.5);
            });
        if (change == "RowsRemoved")
            return InPlace([&](GDALDataset&, OGRLayer& layer) {
                for (GIntBig fid : {gpkg_ ? 2 : 1, gpkg_ ? 4 : 3})
                    ASSERT_EQ(layer.DeleteFeature(fid), OGRERR_NONE);
            });
        if (change == "ReplacedSameSizeOldTime") return ReplaceKeepingSizeAndTime();
        if (change == "ColumnAdded")
            return Columns({"NAME", "VAL", "N", "EXTRA"},
                           [](OGRLayer& layer) { return AddColumn(layer, "EXTRA"), OGRERR_NONE; });
        if (change == "ColumnRemoved")
            return Columns({"VAL", "N"}, [](OGRLayer& layer) { return layer.DeleteField(0); });
        if (change == "ColumnsReordered")
            return Columns({"VAL", "NAME", "N"}, [](OGRLayer& layer) {
                int order[] = {1, 0, 2};
                return layer.ReorderFields(order);
            });
        if (change == "TableAdded")
            return InPlace([](GDALDataset& editor, OGRLayer&) {
                OGRLayer& layer = testsupport::NewLayer(editor, "extra", wkbPoint);
                AddColumn(layer, "NAME"), AddColumn(layer, "VAL"), AddRow(layer, "new", 9.5);
            });
        const std::string dbf = path_.substr(0, path_.size() - 4) + ".dbf";
        const auto& [at, bytes] = kDamages.at(change);
        if (bytes.empty()) return fs::resize_file(dbf, at);
        std::fstream(dbf, std::ios::in | std::ios::out | std::ios::binary).seekp(at).write(bytes.data(), bytes.size());
    }

    // Opened through the data source's idle handles once the source has been read.
    datachange::Theme Open(const std::string& name, const std::string& layerName) {
        std::shared_ptr<platform::HostObject> item;
        if (table_) item = platform::StandaloneTable::Open(name, path_, layerName);
        else item = platform::FeatureLayer::Open(name, path_, layerName);
        AddToMap({item});
        return {item, name, layerName.empty() ? "points" : layerName};
    }

    const std::string& kind_ = GetParam().first;
    const bool table_ = kind_ == "Dbase", gpkg_ = kind_.starts_with("GeoPackage"), wal_ = kind_ == "GeoPackageWal";
    const std::string path_ = (Folder() / (gpkg_ ? "lesson.gpkg" : table_ ? "points.dbf" : "points.shp")).string();
    GDALDatasetUniquePtr editor_;
};

TEST_P(DataChangesTest, EveryReadingCommandReadsTheDataAsTheyAreNowOrReportsADataProblem) {
    const std::string& change = GetParam().second;
    datachange::CommandRunner runner(ui_, app_, [&](const tessaly::ClassInfo& info) { return Command(info); },
                                     Folder().string());
    datachange::ExpectEachCommandAfter(
        runner, path_, Open("Points", gpkg_ ? "points" : ""),
        [&]() -> std::optional<datachange::Theme> {
            Apply(change);
            if (wal_) {
                EXPECT_GT(fs::file_size(path_ + "-wal"), 0u) << "the change waits in the write-ahead log";
            }
            if (change == "TableAdded") return Open("Extra", "extra");
            return std::nullopt;
        },
        kDamages.contains(change) ? Expect::Problem : datachange::ExpectAfter(change));
}

INSTANTIATE_TEST_SUITE_P(Matrix, DataChangesTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return info.param.first + "_" + info.param.second;
                         });

}  // namespace
}  // namespace qstest
