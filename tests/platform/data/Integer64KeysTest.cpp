#include <map>
#include <random>
#include "DataTestSupport.h"
#include "platform/data/DataStatistics.h"
#include "platform/data/Geoprocessor.h"
#include "platform/data/SourceTable.h"
#include "platform/data/Workspace.h"
#include "tests/support/GdalTestData.h"

// A column of a written summary as GDAL reads it, its integer columns of 19 and 20 digits settled.
static std::vector<std::int64_t> Written(const std::string& file, const char* column) {
    const char* options[] = {"ADJUST_TYPE=YES", nullptr};
    GDALDatasetUniquePtr table(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR, nullptr, options, nullptr));
    std::vector<std::int64_t> values;
    for (auto& feature : *table->GetLayer(0)) values.push_back(feature->GetFieldAsInteger64(column));
    return values;
}

// 100,000 distinct 64-bit IDs (every tenth twice): the distinct values and the
// dissolve's groups hash them apart, as their few key comparisons show, and the
// summary by them, or by object IDs of both widths, writes each value exact.
TEST(Integer64Keys, HashApartAndSummarizeExactly) {
    std::string folder = (std::filesystem::temp_directory_path() / "tessaly-int64-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(folder.data()));
    std::mt19937_64 random(64);
    const std::pair<std::int64_t, std::int64_t> none{INT64_MAX, INT64_MIN};
    std::map<std::int64_t, std::pair<std::int64_t, std::int64_t>> groups = {
        {INT64_MIN + 1, none}, {INT64_MAX, none}, {9007199254740992, none}, {9007199254740993, none}};
    while (groups.size() < 100000) groups[static_cast<std::int64_t>(random())] = none;
    std::vector<std::int64_t> fids;
    {
        auto dataset = testsupport::Create(folder + "/ids.gpkg", "GPKG");
        OGRLayer& layer = testsupport::NewLayer(*dataset, "ids", wkbNone);
        testsupport::AddField(layer, "ID", OFTInteger64);
        testsupport::AddField(layer, "VAL", OFTInteger64);
        dataset->StartTransaction();
        OGRFeature feature(layer.GetLayerDefn());
        for (auto& [id, extremes] : groups)
            for (int again = 0; again <= (id % 10 == 0); ++again) {
                const auto value = static_cast<std::int64_t>(random()), row = static_cast<std::int64_t>(fids.size());
                feature.SetFID(fids.emplace_back(row % 1000 ? row + 1 : INT64_MAX - 5 - row));
                feature.SetField("ID", static_cast<GIntBig>(id));
                feature.SetField("VAL", static_cast<GIntBig>(value));
                ASSERT_EQ(layer.CreateFeature(&feature), OGRERR_NONE);
                extremes = {std::min(extremes.first, value), std::max(extremes.second, value)};
            }
        dataset->CommitTransaction();
    }
    const auto input = platform::SourceTable::Open(folder + "/ids.gpkg", "ids");
    platform::DataStatistics statistics;
    statistics.Field("ID");
    statistics.Cursor(input->Search(nullptr, true));
    auto before = platform::VariantKeyComparisons();
    ASSERT_EQ(statistics.UniqueValueCount(), 100000);
    EXPECT_LT(platform::VariantKeyComparisons() - before, fids.size() - 100000 + 100) << "about one a repeat";
    auto name = std::make_shared<platform::TableName>();
    name->WorkspaceName(std::dynamic_pointer_cast<platform::WorkspaceName>(
        platform::FolderWorkspaceFactory().OpenFromFile(folder, 0)->FullName()));
    name->Name("by_id.dbf");
    before = platform::VariantKeyComparisons();
    const auto output =
        platform::Geoprocessor().Dissolve(input, false, "ID", "Minimum.ID, Minimum.VAL, Maximum.VAL", name);
    EXPECT_LT(platform::VariantKeyComparisons() - before, 4 * fids.size());
    std::vector<std::int64_t> ids, minima, maxima;
    for (const auto& [id, extremes] : groups)
        ids.push_back(id), minima.push_back(extremes.first), maxima.push_back(extremes.second);
    EXPECT_EQ(Written(folder + "/by_id.dbf", "Minimum_ID"), ids);
    EXPECT_EQ(Written(folder + "/by_id.dbf", "Minimum_VA"), minima);
    EXPECT_EQ(Written(folder + "/by_id.dbf", "Maximum_VA"), maxima);
    EXPECT_EQ(testdata::Column(*output, "Minimum_ID").front(), platform::Variant::LongLong(INT64_MIN + 1));
    name->Name("by_fid.dbf");
    platform::Geoprocessor().Dissolve(input, false, "fid", "Minimum.fid", name);
    std::sort(fids.begin(), fids.end());
    EXPECT_EQ(Written(folder + "/by_fid.dbf", "Minimum_fi"), fids);
    std::filesystem::remove_all(folder);
}
