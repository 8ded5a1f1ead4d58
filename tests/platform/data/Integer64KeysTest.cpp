// 64-bit integer keys: the distinct values and the dissolve's groups hash
// them (a degenerate hash shows as key comparisons far beyond the rows read),
// and the summary keeps every value exact.
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include <unistd.h>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "DataTestSupport.h"
#include "platform/data/DataStatistics.h"
#include "platform/data/Geoprocessor.h"
#include "platform/data/SourceTable.h"
#include "platform/data/Workspace.h"
#include "tests/support/GdalTestData.h"

namespace {

constexpr int kDistinct = 100000;
constexpr std::int64_t kEdges[] = {INT64_MIN + 1, INT64_MAX, 9007199254740992LL, 9007199254740993LL,
                                   -9007199254740993LL, 2147483648LL, -2147483649LL, 0};

struct Group {
    std::int64_t minimum = INT64_MAX, maximum = INT64_MIN, count = 0;
};

class Integer64Keys : public testing::Test {
protected:
    // ID: kDistinct distinct values, the edges among them; every tenth ID comes
    // again. VAL: any 64-bit integer. The oracle keeps each ID's group.
    static void SetUpTestSuite() {
        folder_ = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                            ("tessaly-int64-" + std::to_string(getpid())));
        std::filesystem::create_directories(*folder_);
        auto dataset = testsupport::Create(*folder_ / "ids.gpkg", "GPKG");
        OGRLayer& layer = testsupport::NewLayer(*dataset, "ids", wkbNone);
        testsupport::AddField(layer, "ID", OFTInteger64);
        testsupport::AddField(layer, "VAL", OFTInteger64);
        std::mt19937_64 random(64);
        std::set<std::int64_t> ids(std::begin(kEdges), std::end(kEdges));
        while (ids.size() < kDistinct) ids.insert(static_cast<std::int64_t>(random()));
        groups_ = new std::map<std::int64_t, Group>;
        dataset->StartTransaction();
        OGRFeature feature(layer.GetLayerDefn());
        const auto add = [&](std::int64_t id, std::int64_t value) {
            feature.SetFID(OGRNullFID);
            feature.SetField("ID", static_cast<GIntBig>(id));
            feature.SetField("VAL", static_cast<GIntBig>(value));
            ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
            Group& g = (*groups_)[id];
            g.minimum = std::min(g.minimum, value);
            g.maximum = std::max(g.maximum, value);
            ++g.count;
        };
        int n = 0;
        for (const std::int64_t id : ids) {
            add(id, static_cast<std::int64_t>(random()));
            if (++n % 10 == 0) add(id, n % 20 == 0 ? INT64_MIN + 1 : static_cast<std::int64_t>(random()));
        }
        dataset->CommitTransaction();
        rows_ = n + n / 10;
    }
    static void TearDownTestSuite() {
        std::filesystem::remove_all(*folder_);
        delete folder_;
        delete groups_;
    }

    static std::shared_ptr<platform::SourceTable> Ids() {
        return platform::SourceTable::Open((*folder_ / "ids.gpkg").string(), "ids");
    }

    static std::filesystem::path* folder_;
    static std::map<std::int64_t, Group>* groups_;
    static int rows_;
};

std::filesystem::path* Integer64Keys::folder_ = nullptr;
std::map<std::int64_t, Group>* Integer64Keys::groups_ = nullptr;
int Integer64Keys::rows_ = 0;

TEST_F(Integer64Keys, DistinctValuesHashEveryValueApart) {
    platform::DataStatistics statistics;
    statistics.Field("ID");
    statistics.Cursor(Ids()->Search(nullptr, true));
    const std::uint64_t before = platform::VariantKeyComparisons();
    ASSERT_EQ(statistics.UniqueValueCount(), kDistinct);
    // A comparison for each repeated row, and hardly one more.
    EXPECT_LT(platform::VariantKeyComparisons() - before, static_cast<std::uint64_t>(rows_ - kDistinct + 100));
    std::set<std::int64_t> listed;
    auto values = statistics.UniqueValues();
    for (platform::Variant value = values->Next(); !value.IsEmpty(); value = values->Next())
        listed.insert(value.AsLongLong());
    EXPECT_EQ(listed.size(), groups_->size());
    EXPECT_EQ(*listed.begin(), groups_->begin()->first);
    EXPECT_EQ(*listed.rbegin(), groups_->rbegin()->first);
}

TEST_F(Integer64Keys, SummaryGroupsByEveryValueAndWritesEachExactly) {
    auto workspace = platform::FolderWorkspaceFactory().OpenFromFile(folder_->string(), 0);
    auto name = std::make_shared<platform::TableName>();
    name->Name("sum.dbf");
    name->WorkspaceName(std::dynamic_pointer_cast<platform::WorkspaceName>(workspace->FullName()));
    const std::uint64_t before = platform::VariantKeyComparisons();
    const auto output = platform::Geoprocessor().Dissolve(Ids(), false, "ID",
                                                          "Minimum.ID, Count.ID, Minimum.VAL, Maximum.VAL", name);
    EXPECT_LT(platform::VariantKeyComparisons() - before, static_cast<std::uint64_t>(4 * rows_));

    // Read back by GDAL itself, the integer columns of 19 and 20 digits as such.
    const char* options[] = {"ADJUST_TYPE=YES", nullptr};
    GDALDatasetUniquePtr written(GDALDataset::Open((*folder_ / "sum.dbf").string().c_str(), GDAL_OF_VECTOR, nullptr,
                                                   options, nullptr));
    ASSERT_TRUE(written);
    OGRLayer& layer = *written->GetLayer(0);
    for (const char* column : {"Minimum_ID", "Minimum_VA", "Maximum_VA"})
        EXPECT_EQ(layer.GetLayerDefn()->GetFieldDefn(layer.GetLayerDefn()->GetFieldIndex(column))->GetType(),
                  OFTInteger64)
            << column;
    auto expected = groups_->begin();
    for (auto& feature : layer) {
        ASSERT_NE(expected, groups_->end());
        ASSERT_EQ(feature->GetFieldAsInteger64("Minimum_ID"), expected->first);
        ASSERT_EQ(feature->GetFieldAsInteger64("Count_ID"), expected->second.count) << expected->first;
        ASSERT_EQ(feature->GetFieldAsInteger64("Minimum_VA"), expected->second.minimum) << expected->first;
        ASSERT_EQ(feature->GetFieldAsInteger64("Maximum_VA"), expected->second.maximum) << expected->first;
        ++expected;
    }
    EXPECT_EQ(expected, groups_->end());

    // The table handed back reads the same values.
    const std::vector<platform::Variant> ids = testdata::Column(*output, "Minimum_ID");
    ASSERT_EQ(ids.size(), groups_->size());
    EXPECT_EQ(ids.front(), platform::Variant::LongLong(INT64_MIN + 1));
    EXPECT_EQ(ids.back(), platform::Variant::LongLong(INT64_MAX));
}

}  // namespace

namespace {

// Object IDs read as 32-bit integers below 2^31 and as 64-bit ones above: a
// summary by them writes every one exact, in one integer column.
TEST_F(Integer64Keys, SummaryByObjectIdsOfBothWidthsWritesEachExactly) {
    const std::int64_t fids[] = {1, 2147483653, 9007199254740992, 9007199254740993, INT64_MAX};
    {
        auto dataset = testsupport::Create(*folder_ / "fids.gpkg", "GPKG");
        OGRLayer& layer = testsupport::NewLayer(*dataset, "fids", wkbNone);
        testsupport::AddField(layer, "N", OFTInteger);
        for (const std::int64_t fid : fids) {
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetFID(fid);
            feature.SetField("N", 1);
            ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
        }
    }
    auto workspace = platform::FolderWorkspaceFactory().OpenFromFile(folder_->string(), 0);
    auto name = std::make_shared<platform::TableName>();
    name->Name("byfid.dbf");
    name->WorkspaceName(std::dynamic_pointer_cast<platform::WorkspaceName>(workspace->FullName()));
    const auto input = platform::SourceTable::Open((*folder_ / "fids.gpkg").string(), "fids");
    platform::Geoprocessor().Dissolve(input, false, "fid", "Minimum.fid, Count.fid", name);
    const char* options[] = {"ADJUST_TYPE=YES", nullptr};
    GDALDatasetUniquePtr written(GDALDataset::Open((*folder_ / "byfid.dbf").string().c_str(), GDAL_OF_VECTOR, nullptr,
                                                   options, nullptr));
    ASSERT_TRUE(written);
    std::vector<std::int64_t> read;
    for (auto& feature : *written->GetLayer(0)) read.push_back(feature->GetFieldAsInteger64(0));
    EXPECT_EQ(read, std::vector<std::int64_t>(std::begin(fids), std::end(fids)));
}

}  // namespace
