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

struct Kind {
    const char* name;
    const char* file;
    bool table, gpkg, wal;
};
const Kind kKinds[] = {{"Shapefile", "points.shp", false, false, false},
                       {"Dbase", "points.dbf", true, false, false},
                       {"GeoPackage", "lesson.gpkg", false, true, false},
                       {"GeoPackageWal", "lesson.gpkg", false, true, true}};

// A damaged header is a dBASE matter, a table added elsewhere one of a
// database, and a GeoPackage in WAL mode stays open in its editor, so it is
// changed in place only.
enum class Applies { Always, FilesOnly, DatabasesOnly, NotWal };
struct Change {
    std::string name;
    Expect expect;
    Applies applies;
};
const Change kChanges[] = {{"RowsAdded", Expect::Current, Applies::Always},
                           {"RowsRemoved", Expect::Current, Applies::Always},
                           {"ReplacedSameSizeOldTime", Expect::Current, Applies::NotWal},
                           {"ColumnRemoved", Expect::CurrentOrProblem, Applies::Always},
                           {"ColumnAdded", Expect::CurrentOrProblem, Applies::Always},
                           {"ColumnsReordered", Expect::CurrentOrProblem, Applies::Always},
                           {"TableAdded", Expect::Current, Applies::DatabasesOnly},
                           {"CutTo40Bytes", Expect::Problem, Applies::FilesOnly},
                           {"RecordLength1", Expect::Problem, Applies::FilesOnly},
                           {"HeaderLength0", Expect::Problem, Applies::FilesOnly},
                           {"HeaderLength65535", Expect::Problem, Applies::FilesOnly},
                           {"Field255Wide", Expect::Problem, Applies::FilesOnly}};

// Where each damage writes over the .dbf header: record length, header length, the first field's width.
const std::map<std::string, std::pair<std::streamoff, std::string>> kDamage = {
    {"RecordLength1", {10, std::string("\x01\x00", 2)}},
    {"HeaderLength0", {8, std::string("\x00\x00", 2)}},
    {"HeaderLength65535", {8, "\xFF\xFF"}},
    {"Field255Wide", {32 + 16, "\xFF"}}};

using Case = std::pair<Kind, Change>;
std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (const Kind& kind : kKinds)
        for (const Change& change : kChanges)
            if ((change.applies == Applies::FilesOnly && !kind.gpkg) ||
                (change.applies == Applies::DatabasesOnly && kind.gpkg) ||
                (change.applies == Applies::NotWal && !kind.wal) || change.applies == Applies::Always)
                cases.emplace_back(kind, change);
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
        path_ = (Folder() / kind_.file).string();
        if (kind_.wal) CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", "WAL");
        Write(path_, {"NAME", "VAL", "N"});
    }
    void TearDown() override {
        editor_.reset();
        CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", nullptr);
    }

    // Writes the layer "points" with these columns, VAL raised by `raise`.
    void Write(const std::string& path, const std::vector<std::string>& columns, double raise = 0) const {
        CPLErrorHandlerPusher quiet(CPLQuietErrorHandler);
        if (!kind_.gpkg) GetGDALDriverManager()->GetDriverByName("ESRI Shapefile")->Delete(path.c_str());
        GDALDatasetUniquePtr dataset;
        if (kind_.gpkg && fs::exists(path))
            dataset.reset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
        else
            dataset = testsupport::Create(path, kind_.gpkg ? "GPKG" : "ESRI Shapefile");
        for (int i = 0; i < dataset->GetLayerCount(); ++i)
            if (std::string(dataset->GetLayer(i)->GetName()) == "points") dataset->DeleteLayer(i);
        OGRLayer& layer = testsupport::NewLayer(*dataset, "points", kind_.table ? wkbNone : wkbPoint);
        for (const auto& column : columns) {
            if (column == "VAL") testsupport::AddField(layer, "VAL", OFTReal, 12, 3);
            else testsupport::AddField(layer, column.c_str(), column == "NAME" ? OFTString : OFTInteger,
                                         column == "NAME" ? 10 : 6);
        }
        int n = 0;
        for (const Row& row : kRows) {
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField("NAME", row.name);
            feature.SetField("VAL", row.val + raise);
            if (layer.GetLayerDefn()->GetFieldIndex("N") >= 0) feature.SetField("N", ++n);
            OGRPoint point(n, n);
            if (!kind_.table) feature.SetGeometry(&point);
            if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
        }
    }

    // Edits the data in place, as another program does; a GeoPackage in WAL
    // mode stays open in it, its log not written back.
    void InPlace(const std::function<void(GDALDataset&, OGRLayer&)>& edit) {
        editor_.reset(GDALDataset::Open(path_.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
        ASSERT_TRUE(editor_) << path_;
        ASSERT_NO_FATAL_FAILURE(edit(*editor_, *editor_->GetLayerByName("points")));
        editor_->FlushCache();
        if (!kind_.wal) editor_.reset();
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

    // Rewrites a file's columns; a GeoPackage's are changed in place.
    void Columns(const std::vector<std::string>& columns, const std::function<OGRErr(OGRLayer&)>& inPlace) {
        if (!kind_.gpkg) return Write(path_, columns);
        InPlace([&](GDALDataset&, OGRLayer& layer) { ASSERT_EQ(inPlace(layer), OGRERR_NONE); });
    }

    void Apply(const std::string& change) {
        const std::string dbf = path_.substr(0, path_.size() - 4) + ".dbf";
        if (change == "RowsAdded")
            return InPlace([](GDALDataset&, OGRLayer& layer) {
                for (double val : {7.25, 8.5}) {
                    OGRFeature feature(layer.GetLayerDefn());
                    feature.SetField("NAME", "eve");
                    feature.SetField("VAL", val);
                    ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
                }
            });
        if (change == "RowsRemoved")
            return InPlace([&](GDALDataset&, OGRLayer& layer) {
                for (GIntBig fid : {kind_.gpkg ? 2 : 1, kind_.gpkg ? 4 : 3})
                    ASSERT_EQ(layer.DeleteFeature(fid), OGRERR_NONE);
            });
        if (change == "ReplacedSameSizeOldTime") return ReplaceKeepingSizeAndTime();
        if (change == "ColumnAdded")
            return Columns({"NAME", "VAL", "N", "EXTRA"}, [](OGRLayer& layer) {
                testsupport::AddField(layer, "EXTRA", OFTInteger, 6);
                return OGRERR_NONE;
            });
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
                testsupport::AddField(layer, "NAME", OFTString, 10);
                testsupport::AddField(layer, "VAL", OFTReal, 12, 3);
                OGRFeature feature(layer.GetLayerDefn());
                feature.SetField("NAME", "new");
                feature.SetField("VAL", 9.5);
                ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
            });
        if (change == "CutTo40Bytes") return fs::resize_file(dbf, 40);
        std::fstream file(dbf, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(kDamage.at(change).first).write(kDamage.at(change).second.data(), kDamage.at(change).second.size());
    }

    // Opened through the data source's idle handles once the source has been read.
    std::shared_ptr<platform::HostObject> Open(const std::string& name, const std::string& layerName) {
        if (kind_.table) return platform::StandaloneTable::Open(name, path_, layerName);
        return platform::FeatureLayer::Open(name, path_, layerName);
    }

    const Kind kind_ = GetParam().first;
    std::string path_;
    GDALDatasetUniquePtr editor_;
};

TEST_P(DataChangesTest, EveryReadingCommandReadsTheDataAsTheyAreNowOrReportsADataProblem) {
    const Change& change = GetParam().second;
    const datachange::Theme theme{Open("Points", kind_.gpkg ? "points" : ""), "Points", "points"};
    AddToMap({theme.item});
    datachange::CommandRunner runner(ui_, app_, [&](const tessaly::ClassInfo& info) { return Command(info); },
                                     Folder().string());
    datachange::ExpectEachCommandAfter(
        runner, path_, theme,
        [&]() -> std::optional<datachange::Theme> {
            Apply(change.name);
            if (kind_.wal) {
                EXPECT_GT(fs::file_size(path_ + "-wal"), 0u) << "the change waits in the write-ahead log";
            }
            if (change.name != "TableAdded") return std::nullopt;
            const datachange::Theme added{Open("Extra", "extra"), "Extra", "extra"};
            AddToMap({added.item});
            return added;
        },
        change.expect);
}

INSTANTIATE_TEST_SUITE_P(Matrix, DataChangesTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.first.name) + "_" + info.param.second.name;
                         });

}  // namespace
}  // namespace qstest
