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

enum class Kind { Shapefile, Dbase, GeoPackage, GeoPackageWal };
const char* const kKindNames[] = {"Shapefile", "Dbase", "GeoPackage", "GeoPackageWal"};
enum class Change {
    RowsAdded, RowsRemoved, ReplacedSameSizeOldTime, ColumnRemoved, ColumnAdded, ColumnsReordered, TableAdded,
    CutTo40Bytes, RecordLength1, HeaderLength0, HeaderLength65535, Field255Wide,
};
const char* const kChangeNames[] = {"RowsAdded", "RowsRemoved", "ReplacedSameSizeOldTime", "ColumnRemoved",
                                    "ColumnAdded", "ColumnsReordered", "TableAdded", "CutTo40Bytes",
                                    "RecordLength1", "HeaderLength0", "HeaderLength65535", "Field255Wide"};

struct Case {
    Kind kind;
    Change change;
    Expect expect;
};

// Every kind with every change that applies to it: a damaged header is a
// dBASE matter, a table added elsewhere one of a database, and a GeoPackage
// in WAL mode stays open in its editor, so it is changed in place only.
std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (Kind kind : {Kind::Shapefile, Kind::Dbase, Kind::GeoPackage, Kind::GeoPackageWal}) {
        const bool file = kind == Kind::Shapefile || kind == Kind::Dbase;
        for (int c = 0; c <= static_cast<int>(Change::Field255Wide); ++c) {
            const auto change = static_cast<Change>(c);
            const bool damage = change >= Change::CutTo40Bytes;
            if ((damage && !file) || (change == Change::TableAdded && file) ||
                (change == Change::ReplacedSameSizeOldTime && kind == Kind::GeoPackageWal))
                continue;
            const bool columns = change >= Change::ColumnRemoved && change <= Change::ColumnsReordered;
            const Expect expect = damage ? Expect::Problem : columns ? Expect::CurrentOrProblem : Expect::Current;
            cases.push_back({kind, change, expect});
        }
    }
    return cases;
}

struct Row {
    const char* name;
    double val;
};
const std::vector<Row> kRows = {{"ann", 1.5}, {"bob", 2.25}, {"ann", 3}, {"cid", 4.5}, {"bob", 0.5}, {"dan", 6}};

class DataChangesTest : public QuerySummaryTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        const Kind kind = GetParam().kind;
        const bool gpkg = kind == Kind::GeoPackage || kind == Kind::GeoPackageWal;
        path_ = (Folder() / (gpkg ? "lesson.gpkg" : kind == Kind::Dbase ? "points.dbf" : "points.shp")).string();
        if (kind == Kind::GeoPackageWal) CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", "WAL");
        Write(path_, {"NAME", "VAL", "N"}, kRows, 0);
    }
    void TearDown() override {
        editor_.reset();
        CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", nullptr);
    }

    // Writes the layer "points" with these columns, VAL raised by `raise`.
    void Write(const std::string& path, const std::vector<std::string>& columns, const std::vector<Row>& rows,
               double raise) const {
        const bool gpkg = path.ends_with(".gpkg");
        CPLErrorHandlerPusher quiet(CPLQuietErrorHandler);
        if (!gpkg) GetGDALDriverManager()->GetDriverByName("ESRI Shapefile")->Delete(path.c_str());
        GDALDatasetUniquePtr dataset;
        if (gpkg && fs::exists(path))
            dataset.reset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
        else
            dataset = testsupport::Create(path, gpkg ? "GPKG" : "ESRI Shapefile");
        for (int i = 0; i < dataset->GetLayerCount(); ++i)
            if (std::string(dataset->GetLayer(i)->GetName()) == "points") dataset->DeleteLayer(i);
        OGRLayer& layer =
            testsupport::NewLayer(*dataset, "points", GetParam().kind == Kind::Dbase ? wkbNone : wkbPoint);
        for (const auto& column : columns) {
            if (column == "VAL") testsupport::AddField(layer, "VAL", OFTReal, 12, 3);
            else if (column == "NAME") testsupport::AddField(layer, "NAME", OFTString, 10);
            else testsupport::AddField(layer, column.c_str(), OFTInteger, 6);
        }
        int n = 0;
        for (const Row& row : rows) {
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField("NAME", row.name);
            feature.SetField("VAL", row.val + raise);
            if (layer.GetLayerDefn()->GetFieldIndex("N") >= 0) feature.SetField("N", ++n);
            OGRPoint point(n, n);
            if (GetParam().kind != Kind::Dbase) feature.SetGeometry(&point);
            if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
        }
    }

    // Opens the data for writing, as another program does; a GeoPackage in
    // WAL mode stays open in it, its log not written back.
    GDALDataset& Editor() {
        editor_.reset(GDALDataset::Open(path_.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
        if (!editor_) throw std::runtime_error("cannot edit " + path_);
        return *editor_;
    }
    void EditorDone() {
        editor_->FlushCache();
        if (GetParam().kind != Kind::GeoPackageWal) editor_.reset();
    }

    // Writes over the .dbf header in place: record length, header length, the first field's width.
    void Damage(Change change) const {
        const std::string dbf = path_.substr(0, path_.size() - 4) + ".dbf";
        if (change == Change::CutTo40Bytes) return fs::resize_file(dbf, 40);
        const std::map<Change, std::pair<std::streamoff, std::string>> bytes = {
            {Change::RecordLength1, {10, std::string("\x01\x00", 2)}},
            {Change::HeaderLength0, {8, std::string("\x00\x00", 2)}},
            {Change::HeaderLength65535, {8, "\xFF\xFF"}},
            {Change::Field255Wide, {32 + 16, "\xFF"}}};
        std::fstream file(dbf, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(bytes.at(change).first).write(bytes.at(change).second.data(), bytes.at(change).second.size());
    }

    // The same rows with other values, written beside the files and renamed
    // over them with their sizes and times, as a sync tool does.
    void ReplaceKeepingSizeAndTime() const {
        const fs::path beside = Folder() / "new";
        fs::create_directories(beside);
        const std::string fresh = (beside / fs::path(path_).filename()).string();
        Write(fresh, {"NAME", "VAL", "N"}, kRows, 1);
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

    void Apply(Change change) {
        const bool gpkg = GetParam().kind == Kind::GeoPackage || GetParam().kind == Kind::GeoPackageWal;
        auto inPlace = [&](const std::function<void(OGRLayer&)>& edit) {
            edit(*Editor().GetLayerByName("points"));
            EditorDone();
        };
        switch (change) {
        case Change::RowsAdded:
            return inPlace([](OGRLayer& layer) {
                for (double val : {7.25, 8.5}) {
                    OGRFeature feature(layer.GetLayerDefn());
                    feature.SetField("NAME", "eve");
                    feature.SetField("VAL", val);
                    ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
                }
            });
        case Change::RowsRemoved:
            return inPlace([&](OGRLayer& layer) {
                for (GIntBig fid : {gpkg ? 2 : 1, gpkg ? 4 : 3}) ASSERT_EQ(layer.DeleteFeature(fid), OGRERR_NONE);
            });
        case Change::ReplacedSameSizeOldTime: return ReplaceKeepingSizeAndTime();
        case Change::ColumnAdded:
            if (gpkg) return inPlace([](OGRLayer& layer) { testsupport::AddField(layer, "EXTRA", OFTInteger, 6); });
            return Write(path_, {"NAME", "VAL", "N", "EXTRA"}, kRows, 0);
        case Change::ColumnRemoved:
            if (gpkg) return inPlace([](OGRLayer& layer) { ASSERT_EQ(layer.DeleteField(0), OGRERR_NONE); });
            return Write(path_, {"VAL", "N"}, kRows, 0);
        case Change::ColumnsReordered:
            if (gpkg) return inPlace([](OGRLayer& layer) {
                int order[] = {1, 0, 2};
                ASSERT_EQ(layer.ReorderFields(order), OGRERR_NONE);
            });
            return Write(path_, {"VAL", "NAME", "N"}, kRows, 0);
        case Change::TableAdded: {
            OGRLayer& layer = testsupport::NewLayer(Editor(), "extra", wkbPoint);
            testsupport::AddField(layer, "NAME", OFTString, 10);
            testsupport::AddField(layer, "VAL", OFTReal, 12, 3);
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField("NAME", "new");
            feature.SetField("VAL", 9.5);
            ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
            return EditorDone();
        }
        default: return Damage(change);
        }
    }

    std::string path_;
    GDALDatasetUniquePtr editor_;
};

TEST_P(DataChangesTest, EveryReadingCommandReadsTheDataAsTheyAreNowOrReportsADataProblem) {
    const Case c = GetParam();
    auto open = [&](const std::string& name, const std::string& layerName) -> std::shared_ptr<platform::HostObject> {
        if (c.kind == Kind::Dbase) return platform::StandaloneTable::Open(name, path_, layerName);
        return platform::FeatureLayer::Open(name, path_, layerName);
    };
    auto theme = open("Points", c.kind == Kind::Dbase || c.kind == Kind::Shapefile ? "" : "points");
    AddToMap({theme});
    datachange::CommandRunner runner(ui_, app_, [&](const tessaly::ClassInfo& info) { return Command(info); },
                                     Folder().string());
    // Read once before the change, so the data source has idle handles.
    const auto before = datachange::Oracle(path_, "points");
    ASSERT_TRUE(before);
    ASSERT_EQ(runner.Run("Select All", theme, "Points").read, before->at("Select All"));

    ASSERT_NO_FATAL_FAILURE(Apply(c.change));
    if (c.kind == Kind::GeoPackageWal) {
        ASSERT_GT(fs::file_size(path_ + "-wal"), 0u) << "the change waits in the write-ahead log";
    }
    const bool added = c.change == Change::TableAdded;
    const std::string layerName = added ? "extra" : "points", themeName = added ? "Extra" : "Points";
    if (added) {
        theme = open(themeName, layerName);  // through the data source's idle handles
        AddToMap({theme});
    }
    const auto now = datachange::Oracle(path_, layerName);
    if (c.expect == Expect::Current) {
        ASSERT_TRUE(now) << "GDAL reads the changed data";
        ASSERT_NE(*now, *before) << "the change shows to a new reader";
    }
    datachange::ExpectEachCommand(runner, theme, themeName, now, c.expect);
}

INSTANTIATE_TEST_SUITE_P(Matrix, DataChangesTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(kKindNames[static_cast<int>(info.param.kind)]) + "_" +
                                    kChangeNames[static_cast<int>(info.param.change)];
                         });

}  // namespace
}  // namespace qstest
