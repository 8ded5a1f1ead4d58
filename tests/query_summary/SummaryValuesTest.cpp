// The values a summary table holds, read back through GDAL and checked against
// values computed here from the input rows; names of its columns; a write
// that fails part way.
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "SummarizeTestSupport.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"
#include "src/resources/SummarizeHelpExample.h"
#include "tests/support/GdalTestData.h"

namespace qstest {
namespace {

using testsupport::AddField;
using testsupport::Create;
using testsupport::NewLayer;

// One input row; a missing value is Null.
struct Measure {
    std::optional<int> code;
    std::optional<std::string> stamp;  // "yyyy-mm-dd hh:mm:ss"
    std::optional<double> big;
    std::optional<double> small;
    std::optional<std::string> name;
};

const std::vector<Measure> kMeasures = {
    {1, "2021-03-04 08:15:00", 1.78e25, 1.6483714911e-08, "Ærø"},
    {1, "2021-03-04 17:40:30", 2.5e25, 2.7e-4, "beta"},
    {1, "2021-03-04 08:15:00", std::nullopt, 1.1e-4, std::nullopt},
    {2, "2020-12-31 00:00:00", 9.1e24, std::nullopt, "Alpha"},
    {2, std::nullopt, 1.1e25, 3.2e-4, "alpha"},
    {std::nullopt, "2021-03-04 17:40:30", 3.3e25, 5.5e-8, "gamma"},
    {3, "2019-07-01 12:00:00", 7.7e24, 1.9e-4, "delta"},
    {3, "2021-03-04 08:15:00", 1.23456789012345e25, 2.3e-4, std::nullopt},
    {3, "2020-12-31 00:00:00", std::nullopt, 4.1e-4, "epsilon"},
    {3, "2019-07-01 12:00:00", 4.4e25, std::nullopt, "zeta"},
    {std::nullopt, std::nullopt, 2.2e25, 7.3e-8, "eta"},
    {2, "2021-03-04 17:40:30", 6.6e25, 1.2e-4, "theta"},
};

// A written or expected value: Null, a number or a text.
struct Value {
    bool null = true;
    double number = 0;
    std::string text;
    static Value Number(double x) { return {false, x, {}}; }
    static Value Text(std::string t) { return {false, 0, std::move(t)}; }
};
using Record = std::map<std::string, Value>;  // by column name

std::string CodeText(const std::optional<int>& code) { return code ? std::to_string(*code) : "<null>"; }

// The six numeric statistics of the non-null values, by column ending; Null when there are none.
void ExpectNumbers(Record& record, const std::vector<double>& values,
                   const std::vector<std::string>& columns) {
    if (values.empty()) {
        for (const auto& column : columns) record[column] = Value{};
        return;
    }
    long double sum = 0;
    for (double x : values) sum += x;
    const long double mean = sum / values.size();
    long double squares = 0;
    for (double x : values) squares += (x - mean) * (x - mean);
    const long double variance = values.size() > 1 ? squares / (values.size() - 1) : 0;
    const double results[] = {*std::min_element(values.begin(), values.end()),
                              *std::max_element(values.begin(), values.end()),
                              static_cast<double>(mean),
                              static_cast<double>(sum),
                              static_cast<double>(std::sqrt(variance)),
                              static_cast<double>(variance)};
    for (std::size_t i = 0; i < columns.size(); ++i) record[columns[i]] = Value::Number(results[i]);
}

void ExpectFirstLast(Record& record, const std::vector<std::string>& values, const std::string& first,
                     const std::string& last) {
    if (values.empty()) {
        record[first] = record[last] = Value{};
        return;
    }
    record[first] = Value::Text(*std::min_element(values.begin(), values.end()));
    record[last] = Value::Text(*std::max_element(values.begin(), values.end()));
}

const std::vector<std::string> kBigColumns = {"Minimum_BI", "Maximum_BI", "Average_BI",
                                              "Sum_BIG",    "StdDev_BIG", "Variance_B"};
const std::vector<std::string> kSmallColumns = {"Minimum_SM", "Maximum_SM", "Average_SM",
                                                "Sum_SMALL",  "StdDev_SMA", "Variance_S"};

// The summary of these rows by CODE or by STAMP, keyed by the case value's text.
std::map<std::string, Record> Expected(const std::vector<Measure>& rows, bool byCode) {
    std::map<std::string, std::vector<const Measure*>> groups;
    for (const Measure& row : rows) groups[byCode ? CodeText(row.code) : row.stamp.value_or("<null>")].push_back(&row);
    std::map<std::string, Record> expected;
    for (const auto& [key, members] : groups) {
        Record& record = expected[key];
        std::vector<double> codes, bigs, smalls;
        std::vector<std::string> stamps, names;
        for (const Measure* m : members) {
            if (m->code) codes.push_back(*m->code);
            if (m->stamp) stamps.push_back(*m->stamp);
            if (m->big) bigs.push_back(*m->big);
            if (m->small) smalls.push_back(*m->small);
            if (m->name) names.push_back(*m->name);
        }
        const Measure& first = *members.front();
        if (byCode) {
            record["Minimum_CO"] = first.code ? Value::Number(*first.code) : Value{};
            record["Count_CODE"] = Value::Number(static_cast<double>(members.size()));
            ExpectFirstLast(record, stamps, "Minimum_ST", "Maximum_ST");
        } else {
            record["Minimum_ST"] = first.stamp ? Value::Text(*first.stamp) : Value{};
            record["Count_STAM"] = Value::Number(static_cast<double>(members.size()));
            ExpectNumbers(record, codes,
                          {"Minimum_CO", "Maximum_CO", "Average_CO", "Sum_CODE", "StdDev_COD", "Variance_C"});
        }
        ExpectNumbers(record, bigs, kBigColumns);
        ExpectNumbers(record, smalls, kSmallColumns);
        ExpectFirstLast(record, names, "Minimum_NA", "Maximum_NA");
    }
    return expected;
}

struct Written {
    std::vector<std::string> columns;
    std::map<std::string, Record> records;  // by the case column's text
    std::size_t count = 0;
};

Written ReadSummary(const std::string& path, const std::string& caseColumn) {
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset) throw std::runtime_error("cannot read " + path);
    OGRLayer* layer = dataset->GetLayer(0);
    Written written;
    for (int i = 0; i < layer->GetLayerDefn()->GetFieldCount(); ++i)
        written.columns.push_back(layer->GetLayerDefn()->GetFieldDefn(i)->GetNameRef());
    for (const auto& feature : *layer) {
        Record record;
        for (int i = 0; i < feature->GetFieldCount(); ++i) {
            Value value;
            if (feature->IsFieldSetAndNotNull(i)) {
                const OGRFieldType type = feature->GetFieldDefnRef(i)->GetType();
                value = type == OFTString ? Value::Text(feature->GetFieldAsString(i))
                                          : Value::Number(feature->GetFieldAsDouble(i));
            }
            record[written.columns[static_cast<std::size_t>(i)]] = value;
        }
        const Value& key = record.at(caseColumn);
        const std::string text = key.null ? "<null>" : key.text.empty() ? CodeText(static_cast<int>(key.number)) : key.text;
        written.records[text] = record;
        ++written.count;
    }
    return written;
}

class SummaryValuesTest : public SummarizeTest {
protected:
    SummaryValuesTest() {
        auto gpkg = Create(Folder() / "measures.gpkg", "GPKG");
        OGRLayer& layer = NewLayer(*gpkg, "measures", wkbPoint);
        AddField(layer, "CODE", OFTInteger);
        AddField(layer, "STAMP", OFTDateTime);
        AddField(layer, "BIG", OFTReal);
        AddField(layer, "SMALL", OFTReal);
        AddField(layer, "NAME", OFTString);
        int x = 0;
        for (const Measure& m : kMeasures) {
            OGRFeature feature(layer.GetLayerDefn());
            if (m.code) feature.SetField(0, *m.code); else feature.SetFieldNull(0);
            if (m.stamp) {
                int y, mo, d, h, mi, s;
                std::sscanf(m.stamp->c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
                feature.SetField(1, y, mo, d, h, mi, static_cast<float>(s), 0);
            } else {
                feature.SetFieldNull(1);
            }
            if (m.big) feature.SetField(2, *m.big); else feature.SetFieldNull(2);
            if (m.small) feature.SetField(3, *m.small); else feature.SetFieldNull(3);
            if (m.name) feature.SetField(4, m.name->c_str()); else feature.SetFieldNull(4);
            OGRPoint point(x, x);
            ++x;
            feature.SetGeometry(&point);
            if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
        }
    }

    std::shared_ptr<platform::FeatureLayer> Measures() const {
        return platform::FeatureLayer::Open("Measures", (Folder() / "measures.gpkg").string(), "measures");
    }

    // Summarizes Measures by the case field at this list position with every statistic ticked.
    void SummarizeAll(int casePosition, const std::string& output, bool selectedOnly) {
        Summarize([&](Dialog& dialog) {
            dialog.cbxFieldName.UserSelect(casePosition);
            for (platform::TreeNode* field : dialog.treeFields.Nodes().Roots())
                for (platform::TreeNode* statistic : field->Children()) dialog.treeFields.UserClickNode(*statistic);
            if ((dialog.chkSumSelected.Value() == platform::vbChecked) != selectedOnly) dialog.chkSumSelected.UserClick();
            dialog.txtOutput.SetText(output);
            dialog.cmdOK.UserClick();
        });
        ASSERT_TRUE(Reports().empty()) << Reports().front();
    }
};

void ExpectSame(const Written& written, const std::map<std::string, Record>& expected) {
    ASSERT_EQ(written.count, expected.size()) << "one record per case value, told apart";
    for (const auto& [key, record] : expected) {
        SCOPED_TRACE("case value " + key);
        ASSERT_TRUE(written.records.count(key));
        const Record& got = written.records.at(key);
        for (const auto& [column, value] : record) {
            SCOPED_TRACE(column);
            ASSERT_TRUE(got.count(column));
            const Value& v = got.at(column);
            ASSERT_EQ(v.null, value.null);
            EXPECT_EQ(v.text, value.text);
            // Exact to 15 significant digits: within half a unit of the 15th.
            EXPECT_NEAR(v.number, value.number, std::abs(value.number) * 5e-15);
        }
    }
}

TEST_F(SummaryValuesTest, EveryWrittenValueIsTheOneComputedFromTheInputRows) {
    auto measures = Measures();
    AddToMap({measures});
    const std::string byCode = (Folder() / "by_code.dbf").string();
    const std::string byStamp = (Folder() / "by_stamp.dbf").string();
    SummarizeAll(0, byCode, false);
    SummarizeAll(1, byStamp, false);

    const Written codes = ReadSummary(byCode, "Minimum_CO");
    std::vector<std::string> columns = {"Minimum_CO", "Count_CODE", "Minimum_ST", "Maximum_ST"};
    columns.insert(columns.end(), kBigColumns.begin(), kBigColumns.end());
    columns.insert(columns.end(), kSmallColumns.begin(), kSmallColumns.end());
    columns.insert(columns.end(), {"Minimum_NA", "Maximum_NA"});
    EXPECT_EQ(codes.columns, columns);
    ExpectSame(codes, Expected(kMeasures, true));
    ExpectSame(ReadSummary(byStamp, "Minimum_ST"), Expected(kMeasures, false));
}

TEST_F(SummaryValuesTest, ASelectionIsSummarizedFromItsRowsOnly) {
    auto measures = Measures();
    AddToMap({measures});
    const Ids ids = {1, 2, 5, 6, 8, 12};  // fids from 1
    Select(*measures, ids);
    std::vector<Measure> selected;
    for (long long id : ids) selected.push_back(kMeasures[static_cast<std::size_t>(id - 1)]);
    const std::string byCode = (Folder() / "selected_code.dbf").string();
    const std::string byStamp = (Folder() / "selected_stamp.dbf").string();
    SummarizeAll(0, byCode, true);
    SummarizeAll(1, byStamp, true);
    ExpectSame(ReadSummary(byCode, "Minimum_CO"), Expected(selected, true));
    ExpectSame(ReadSummary(byStamp, "Minimum_ST"), Expected(selected, false));
}

TEST_F(SummaryValuesTest, ColumnNamesAreValidDbaseNamesKeptUnique) {
    {
        auto gpkg = Create(Folder() / "odd.gpkg", "GPKG");
        OGRLayer& layer = NewLayer(*gpkg, "odd", wkbNone);
        AddField(layer, "KIND", OFTString);
        AddField(layer, "aé", OFTReal);
        AddField(layer, "pop.2000", OFTReal);
        AddField(layer, "pop.2001", OFTReal);
        AddField(layer, "Straße", OFTReal);
        OGRFeature feature(layer.GetLayerDefn());
        feature.SetField(0, "x");
        for (int i = 1; i <= 4; ++i) feature.SetField(i, 1.5 * i);
        if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
    }
    AddToMap({platform::StandaloneTable::Open("Odd", (Folder() / "odd.gpkg").string(), "odd")});
    const std::string output = (Folder() / "odd.dbf").string();
    Summarize([&](Dialog& dialog) {
        Tick(dialog, "aé", "Minimum");
        Tick(dialog, "pop.2000", "Sum");
        Tick(dialog, "pop.2001", "Sum");
        Tick(dialog, "Straße", "Sum");
        dialog.txtOutput.SetText(output);
        dialog.cmdOK.UserClick();
    });
    ASSERT_TRUE(Reports().empty()) << Reports().front();
    EXPECT_EQ(DbfFieldNames(output), (std::vector<std::string>{"Minimum_KI", "Count_KIND", "Minimum_a", "Sum_pop_20",
                                                               "Sum_pop__1", "Sum_Straß"}));
    const auto rows = ReadDbf(output);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_DOUBLE_EQ(std::stod(rows[0].at("Sum_pop__1")), 4.5);
}

TEST_F(SummaryValuesTest, TheHelpsWorkedExampleIsWhatTheToolWrites) {
    const auto& example = tessaly::pictures::TheSummarizeHelpExample();
    {
        auto dbf = Create(Folder() / "example.dbf", "ESRI Shapefile");
        OGRLayer& layer = NewLayer(*dbf, "example", wkbNone);
        AddField(layer, "F1", OFTString, 10);
        AddField(layer, "F2", OFTInteger, 6);
        for (std::size_t i = 1; i < example.input.size(); ++i) {
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField(0, example.input[i][0].c_str());
            feature.SetField(1, std::stoi(example.input[i][1]));
            if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
        }
    }
    AddToMap({platform::StandaloneTable::Open("Example", (Folder() / "example.dbf").string())});
    const std::string output = (Folder() / "out.dbf").string();
    Summarize([&](Dialog& dialog) {
        Tick(dialog, "F2", "Sum");
        dialog.txtOutput.SetText(output);
        dialog.cmdOK.UserClick();
    });
    ASSERT_TRUE(Reports().empty()) << Reports().front();
    const std::vector<std::string>& header = example.output.front();
    EXPECT_EQ(DbfFieldNames(output), header);
    const auto rows = ReadDbf(output);
    ASSERT_EQ(rows.size() + 1, example.output.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r].at(header[0]), example.output[r + 1][0]);
        for (std::size_t c = 1; c < header.size(); ++c)
            EXPECT_EQ(std::stod(rows[r].at(header[c])), std::stod(example.output[r + 1][c])) << header[c];
    }
}

// Files grow no further than this while it lives; writing past it fails instead of killing the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    sighandler_t previous_ = SIG_DFL;
};

TEST_F(SummaryValuesTest, AWriteThatFailsPartWayLeavesNothingBehind) {
    {
        auto dbf = Create(Folder() / "many.dbf", "ESRI Shapefile");
        OGRLayer& layer = NewLayer(*dbf, "many", wkbNone);
        AddField(layer, "N", OFTInteger, 9);
        for (int n = 0; n < 3000; ++n) {
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField(0, n);
            if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
        }
    }
    AddToMap({platform::StandaloneTable::Open("Many", (Folder() / "many.dbf").string())});
    const std::string output = (Folder() / "out" / "zones.dbf").string();
    std::filesystem::create_directories(Folder() / "out");
    bool open = false;
    Summarize([&](Dialog& dialog) {
        dialog.txtOutput.SetText(output);
        {
            const FileSizeLimit limit(8192);
            dialog.cmdOK.UserClick();
        }
        open = dialog.IsVisible();
        ASSERT_EQ(Reports().size(), 1u);
        EXPECT_NE(Reports()[0].find("cmdOK_Click"), std::string::npos) << Reports()[0];
        EXPECT_TRUE(std::filesystem::is_empty(Folder() / "out")) << "no zones.dbf, no zones.cpg";

        dialog.cmdOK.UserClick();
        EXPECT_FALSE(dialog.IsVisible()) << "the name is free again";
    });
    EXPECT_TRUE(open);
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(FocusMap()->StandaloneTableCount(), 2);
    EXPECT_EQ(FocusMap()->StandaloneTable(1)->RowCount(nullptr), 3000);
}

}  // namespace
}  // namespace qstest
