#include "platform/data/DatasetPool.h"

#include <stdlib.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/data/QueryFilter.h"
#include "platform/data/Row.h"
#include "platform/data/SourceTable.h"
#include "tests/support/GdalTestData.h"

namespace {

// A shapefile of points whose field N holds 1, 2, ... count, in a folder of its own.
class DatasetPoolTest : public ::testing::Test {
protected:
    DatasetPoolTest() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-pool-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        folder_ = pattern;
    }
    ~DatasetPoolTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string Write(int count) const {
        const std::string path = (folder_ / "points.shp").string();
        GDALAllRegister();
        GetGDALDriverManager()->GetDriverByName("ESRI Shapefile")->Delete(path.c_str());
        auto dataset = testsupport::Create(path, "ESRI Shapefile");
        OGRLayer& layer = testsupport::NewLayer(*dataset, "points", wkbPoint);
        testsupport::AddField(layer, "N", OFTInteger, 6);
        for (int n = 1; n <= count; ++n) {
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField(0, n);
            OGRPoint point(n, n);
            feature.SetGeometry(&point);
            if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
        }
        return path;
    }

    static int ReadAll(platform::Cursor& cursor) {
        int rows = 0;
        while (cursor.NextRow()) ++rows;
        return rows;
    }

    std::filesystem::path folder_;
};

TEST_F(DatasetPoolTest, ReadsOneAfterAnotherShareOneHandleAndOnlyCursorsOpenAtOnceGetMore) {
    const std::string path = Write(3);
    auto table = platform::SourceTable::Open(path);
    const auto pool = platform::DatasetPool::For(path, {});
    EXPECT_EQ(pool->Opened(), 1u);

    for (int i = 0; i < 3; ++i) EXPECT_EQ(table->RowCount(nullptr), 3);
    EXPECT_EQ(ReadAll(*table->Search(nullptr, true)), 3);
    EXPECT_EQ(pool->Opened(), 1u);

    auto first = table->Search(nullptr, false);
    auto second = table->Search(nullptr, false);
    EXPECT_EQ(pool->Opened(), 2u);
    EXPECT_EQ(first->NextRow()->OID(), 0);
    EXPECT_EQ(ReadAll(*second), 3);
    EXPECT_EQ(ReadAll(*first), 2);

    auto again = platform::SourceTable::Open(path);
    platform::QueryFilter filter;
    filter.WhereClause("\"N\" > 1");
    EXPECT_EQ(again->RowCount(&filter), 2);
    EXPECT_EQ(table->RowCount(nullptr), 3) << "the filter went with its reading";
    EXPECT_EQ(pool->Opened(), 2u);
}

TEST_F(DatasetPoolTest, AFileRewrittenUnderAnIdleHandleIsReadAfresh) {
    auto table = platform::SourceTable::Open(Write(3));
    EXPECT_EQ(table->RowCount(nullptr), 3);
    Write(5);
    EXPECT_EQ(table->RowCount(nullptr), 5);
    EXPECT_EQ(ReadAll(*table->Search(nullptr, true)), 5);
}

// An editor keeps a GeoPackage open, in WAL mode (its commits wait in the
// log, the database file unchanged) or with a rollback journal. Idle handles
// serve reads until it commits, and none after.
TEST_F(DatasetPoolTest, AGeoPackageIsReadAfreshOnlyAfterAnotherConnectionCommits) {
    for (const char* mode : {"WAL", "DELETE"}) {
        SCOPED_TRACE(mode);
        const std::string path = (folder_ / (std::string(mode) + ".gpkg")).string();
        CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", mode);
        auto editor = testsupport::Create(path, "GPKG");
        OGRLayer& layer = testsupport::NewLayer(*editor, "points", wkbPoint);
        testsupport::AddField(layer, "N", OFTInteger);
        const auto add = [&] {
            OGRFeature feature(layer.GetLayerDefn());
            ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
            editor->FlushCache();
        };
        add();
        auto table = platform::SourceTable::Open(path, "points");
        const auto pool = platform::DatasetPool::For(path, {});
        for (int i = 0; i < 3; ++i) EXPECT_EQ(table->RowCount(nullptr), 1);
        EXPECT_EQ(pool->Opened(), 1u);
        add();
        EXPECT_EQ(table->RowCount(nullptr), 2);
        EXPECT_EQ(ReadAll(*table->Search(nullptr, true)), 2);
        EXPECT_EQ(pool->Opened(), 2u);
        CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", nullptr);
    }
}

}  // namespace
