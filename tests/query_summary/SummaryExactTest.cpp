// Random tables summarized through the dialog with every statistic and through
// Calculate Statistics; every written and printed number against exact rational
// arithmetic on the input doubles.
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <tuple>

#include <gtest/gtest.h>

#include "SummarizeTestSupport.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/frmReport_modal.h"
#include "src/statistics/TessalyFunctionsFormat.h"
#include "src/statistics/TessalyFunctionsNumNames.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"
#include "tests/support/ExactOracle.h"
#include "tests/support/GdalTestData.h"

namespace qstest {
namespace {

using Stamp = std::tuple<int, int, int, int, int, int>;  // y m d h mi s
struct Row {
    int group;
    std::optional<double> cents, wide;
    std::optional<Stamp> stamp;
};

std::string Text(double x) {
    char t[40];
    std::snprintf(t, sizeof t, "%.17g", x);
    return t;
}
std::string Text(const Stamp& s, const char* form) {
    char t[40];
    std::snprintf(t, sizeof t, form, std::get<0>(s), std::get<1>(s), std::get<2>(s), std::get<3>(s), std::get<4>(s),
                  std::get<5>(s));
    return t;
}

// Prices in cents, values from 1e-300 to 1e300 (up to a largest exponent of
// this table's own), -0, NaN, Nulls, cancelling pairs, one single-row group,
// one group of equal values, date-times on both sides of 1899.
std::vector<Row> RandomRows(std::mt19937_64& random) {
    auto uniform = [&](long long lo, long long hi) { return std::uniform_int_distribution<long long>(lo, hi)(random); };
    const long long largest = uniform(-280, 300);
    std::vector<Row> rows;
    for (int i = 0, n = static_cast<int>(uniform(4, 40)); i < n; ++i) {
        Row row{static_cast<int>(uniform(0, 4)), {}, {}, {}};
        if (uniform(0, 9)) row.cents = static_cast<double>(uniform(-100000000, 100000000)) / 100;
        const long long kind = uniform(0, 19);
        const double wide = std::uniform_real_distribution<double>(1, 10)(random) *
                            std::pow(10.0, static_cast<double>(uniform(-300, largest))) * (uniform(0, 1) ? 1 : -1);
        if (kind > 2) row.wide = wide;
        if (kind == 1) row.wide = -0.0;
        if (kind == 2) row.wide = std::nan("");
        if (uniform(0, 9)) row.stamp = Stamp{uniform(1850, 1950), uniform(1, 12), uniform(1, 28), uniform(0, 23), uniform(0, 59), uniform(0, 59)};
        rows.push_back(row);
        if (kind == 3) rows.push_back({row.group, row.cents ? std::optional(-*row.cents) : std::nullopt, -wide, row.stamp});
    }
    rows.push_back({7, 12.34, 5e-300, Stamp{1899, 12, 29, 18, 0, 0}});
    for (int i = 0; i < 3; ++i) rows.push_back({9, 0.1, std::pow(10.0, largest), Stamp{1899, 12, 29, 6 * i, 0, 0}});
    return rows;
}

void WriteCsv(const std::filesystem::path& path, const std::vector<Row>& rows) {
    std::ofstream(path.string() + "t") << "Integer,Real,Real,DateTime\n";
    std::ofstream csv(path);
    csv << "GROUP,CENTS,WIDE,STAMP\n";
    for (const Row& r : rows)
        csv << r.group << "," << (r.cents ? Text(*r.cents) : "") << "," << (r.wide ? Text(*r.wide) : "") << ","
            << (r.stamp ? Text(*r.stamp, "%04d/%02d/%02d %02d:%02d:%02d") : "") << "\n";
}

std::vector<double> Numbers(const std::vector<const Row*>& rows, std::optional<double> Row::*column) {
    std::vector<double> values;
    for (const Row* r : rows)
        if (r->*column && !std::isnan(*(r->*column))) values.push_back(*(r->*column));
    return values;
}

// Minimum, Maximum, Average, Sum, StdDev, Variance as written: 15 digits, Null for none or beyond doubles.
std::vector<std::optional<double>> Written(const std::vector<double>& v) {
    if (v.empty()) return std::vector<std::optional<double>>(6);
    const auto m = testsupport::Moments(v);
    std::vector<std::optional<double>> out = {
        testsupport::Round15(mpq_class(*std::min_element(v.begin(), v.end()))),
        testsupport::Round15(mpq_class(*std::max_element(v.begin(), v.end()))), testsupport::Round15(m.mean),
        testsupport::Round15(m.sum), testsupport::Round15(m.variance, true), testsupport::Round15(m.variance)};
    for (auto& x : out)
        if (!std::isfinite(*x)) x.reset();
    return out;
}

class SummaryExactTest : public SummarizeTest {};

TEST_F(SummaryExactTest, EveryWrittenAndPrintedNumberIsTheExactStatisticRounded) {
    const auto names = tessaly::MakeNumNameDictionary();
    int overflows = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937_64 random(seed);
        const std::vector<Row> rows = RandomRows(random);
        const auto csv = Folder() / ("table" + std::to_string(seed) + ".csv");
        WriteCsv(csv, rows);
        AddToMap({platform::StandaloneTable::Open("Table" + std::to_string(seed), csv.string())});
        const std::string output = (Folder() / ("summary" + std::to_string(seed) + ".dbf")).string();
        std::map<int, std::vector<const Row*>> groups;
        std::vector<const Row*> all;
        for (const Row& r : rows) groups[r.group].push_back(&r), all.push_back(&r);

        int field = 0;
        std::size_t reportsBeforeOk = 0;
        std::string report;
        ui_->WhenModal("tessaly_ThemeIDDialog", [&](platform::Form& form) {
            auto& setup = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
            setup.lbxField.UserClick(field);
            setup.cmdOK.UserClick();
        });
        ui_->WhenModal("frmReport_modal", [&](platform::Form& form) {
            report = dynamic_cast<tessaly::frmReport_modal&>(form).txtReport.Text();
            dynamic_cast<tessaly::frmReport_modal&>(form).cmdOK.UserClick();
        });
        Summarize([&](Dialog& dialog) {
            const auto layers = Lines(dialog.cbxLayer);
            dialog.cbxLayer.UserSelect(static_cast<int>(std::find(layers.begin(), layers.end(), "Table" + std::to_string(seed)) - layers.begin()));
            for (auto column : {&Row::cents, &Row::wide}) {
                ++field;  // GROUP, CENTS, WIDE
                report.clear();
                const std::size_t reports = Reports().size();
                dialog.cmdOpenStats.UserClick();
                std::vector<double> v = Numbers(all, column);
                std::sort(v.begin(), v.end());
                const auto m = testsupport::Moments(v);
                const std::size_t n = v.size();
                const double median = n % 2 ? v[n / 2] : testsupport::Nearest((mpq_class(v[n / 2 - 1]) + v[n / 2]) / 2);
                const std::pair<const char*, double> printed[] = {
                    {"Total", testsupport::Nearest(m.sum)}, {"Mean", testsupport::Nearest(m.mean)},
                    {"Median", median}, {"Minimum", v.front()}, {"Maximum", v.back()},
                    {"Range", testsupport::Nearest(mpq_class(v.back()) - v.front())},
                    {"Standard Error of Mean", testsupport::Nearest(m.variance / static_cast<long>(n), true)},
                    {"Variance", testsupport::Nearest(m.variance)}, {"Standard Deviation", testsupport::Nearest(m.variance, true)}};
                const bool finite = std::all_of(std::begin(printed), std::end(printed), [](auto& p) { return std::isfinite(p.second); });
                SCOPED_TRACE(report);
                ASSERT_EQ(report.empty(), !finite) << "a report only of numbers computed";
                overflows += !finite;
                ASSERT_EQ(Reports().size(), reports + (finite ? 0 : 1));
                for (std::size_t i = 0; finite && i < std::size(printed); ++i)
                    EXPECT_NE(report.find("  " + std::string(printed[i].first) + ": " +
                                          tessaly::FormatNumberTessaly(printed[i].second, names, i < 6 ? 2 : 4) + "\r\n"),
                              std::string::npos) << printed[i].first;
                EXPECT_EQ(report.find("-0\r\n"), std::string::npos);
            }
            dialog.cbxFieldName.UserSelect(0);
            for (platform::TreeNode* node : dialog.treeFields.Nodes().Roots())
                for (platform::TreeNode* statistic : node->Children()) dialog.treeFields.UserClickNode(*statistic);
            dialog.txtOutput.SetText(output);
            reportsBeforeOk = Reports().size();
            dialog.cmdOK.UserClick();
        });
        ASSERT_EQ(Reports().size(), reportsBeforeOk) << Reports().back();

        GDALDatasetUniquePtr dbf(GDALDataset::Open(output.c_str(), GDAL_OF_VECTOR));
        ASSERT_TRUE(dbf);
        OGRLayer* layer = dbf->GetLayer(0);
        ASSERT_EQ(layer->GetFeatureCount(), static_cast<GIntBig>(groups.size()));
        auto group = groups.begin();
        for (const auto& feature : *layer) {
            SCOPED_TRACE("group " + std::to_string(group->first));
            const auto& members = group->second;
            EXPECT_EQ(feature->GetFieldAsInteger(0), group->first);
            EXPECT_EQ(feature->GetFieldAsInteger(1), static_cast<int>(members.size()));
            std::vector<std::optional<double>> expected = Written(Numbers(members, &Row::cents));
            for (auto x : Written(Numbers(members, &Row::wide))) expected.push_back(x);
            for (int i = 0; i < 12; ++i) {
                SCOPED_TRACE(feature->GetFieldDefnRef(2 + i)->GetNameRef());
                ASSERT_EQ(feature->IsFieldSetAndNotNull(2 + i), expected[i].has_value());
                if (expected[i]) {
                    EXPECT_EQ(feature->GetFieldAsDouble(2 + i), *expected[i]);
                    EXPECT_FALSE(std::signbit(feature->GetFieldAsDouble(2 + i)) && *expected[i] == 0) << "0, not -0";
                }
            }
            std::vector<Stamp> stamps;
            for (const Row* r : members)
                if (r->stamp) stamps.push_back(*r->stamp);
            const std::string first = stamps.empty() ? "" : Text(*std::min_element(stamps.begin(), stamps.end()), "%04d-%02d-%02d %02d:%02d:%02d");
            const std::string last = stamps.empty() ? "" : Text(*std::max_element(stamps.begin(), stamps.end()), "%04d-%02d-%02d %02d:%02d:%02d");
            EXPECT_EQ(feature->GetFieldAsString(14), first);
            EXPECT_EQ(feature->GetFieldAsString(15), last);
            ++group;
        }
    }
    EXPECT_GT(overflows, 0);
    EXPECT_LT(overflows, 12) << "some tables with statistics beyond doubles, not all";
}

}  // namespace
}  // namespace qstest
