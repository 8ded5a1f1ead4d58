// Random tables summarized through the dialog with every statistic and through
// Calculate Statistics: every written and printed number, and the writer's
// column for each, against exact rational arithmetic on the input doubles.
#include <fstream>
#include <map>
#include <optional>
#include <random>

#include "SummarizeTestSupport.h"
#include "platform/data/DbaseWriter.h"
#include "platform/data/Field.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/frmReport_modal.h"
#include "src/statistics/TessalyFunctionsFormat.h"
#include "src/statistics/TessalyFunctionsNumNames.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"
#include "tests/support/ExactOracle.h"
#include "tests/support/GdalTestData.h"

namespace qstest {
namespace {

using testsupport::Nearest;
using testsupport::Round15;
using Values = std::vector<double>;
struct Row {
    int group;
    std::optional<double> cents, wide;
    std::string stamp;  // "yyyy-mm-dd hh:mm:ss", "" for Null
};

std::string Text(std::optional<double> x) {
    char t[40] = "";
    if (x) std::snprintf(t, sizeof t, "%.17g", *x);
    return t;
}

// Prices in cents; values from 1e-300 to 1e300 (up to a largest power of the
// table's own), -0, NaN, Nulls and cancelling pairs; a single-row group, a
// group of equal values; date-times on both sides of 1899.
std::vector<Row> RandomRows(std::mt19937_64& random) {
    auto uniform = [&](long long lo, long long hi) { return std::uniform_int_distribution<long long>(lo, hi)(random); };
    const double largest = std::pow(10.0, static_cast<double>(uniform(-280, 300)));
    std::vector<Row> rows;
    for (long long i = 0, n = uniform(4, 40); i < n; ++i) {
        const long long kind = uniform(0, 19);
        const double wide = std::uniform_real_distribution<double>(-10, 10)(random) * largest / std::pow(10.0, static_cast<double>(uniform(0, 580)));
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", uniform(1850, 1950), uniform(1, 12), uniform(1, 28),
                      uniform(0, 23), uniform(0, 59), uniform(0, 59));
        rows.push_back({static_cast<int>(uniform(0, 4)), static_cast<double>(uniform(-100000000, 100000000)) / 100,
                        kind > 2 ? wide : kind == 1 ? -0.0 : std::nan(""), kind ? stamp : ""});
        if (kind == 0) rows.back().cents = rows.back().wide = std::nullopt;
        if (kind == 3) rows.push_back({rows.back().group, -*rows.back().cents, -wide, stamp});
    }
    rows.push_back({7, 12.34, 5e-300, "1899-12-29 18:00:00"});
    for (int i = 0; i < 4; ++i) rows.push_back({8, -0.0, -0.0, "1950-01-01 00:00:00"});  // the mode of WIDE
    for (const char* time : {"00", "12", "06"}) rows.push_back({9, 0.1, largest, std::string("1899-12-29 ") + time + ":00:00"});
    return rows;
}

Values Numbers(const std::vector<const Row*>& rows, std::optional<double> Row::*column) {
    Values values;
    for (const Row* r : rows)
        if (r->*column && !std::isnan(*(r->*column))) values.push_back(*(r->*column));
    return values;
}

// Minimum, Maximum, Average, Sum, StdDev, Variance as written: 15 digits; Null for no value or beyond doubles.
std::vector<std::optional<double>> Written(const Values& v) {
    if (v.empty()) return std::vector<std::optional<double>>(6);
    const auto m = testsupport::Moments(v);
    std::vector<std::optional<double>> out = {Round15(*std::min_element(v.begin(), v.end())), Round15(*std::max_element(v.begin(), v.end())),
                                              Round15(m.mean), Round15(m.sum), Round15(m.variance, true), Round15(m.variance)};
    for (auto& x : out)
        if (!std::isfinite(*x)) x.reset();
    return out;
}

// The writer alone: each value in a column of its own is as wide as it needs and reads back rounded.
void ExpectColumnFor(double x, double rounded) {
    platform::DbaseColumn column{"V", platform::fieldtype::Double};
    platform::FitNumber(column, x);
    const std::string text = platform::NumberText(column, x), digits = text.substr(0, text.find('E'));
    EXPECT_TRUE(text[0] != ' ' && (digits.back() != '0' || digits.ends_with(".0")) && !(text[0] == '-' && rounded == 0)) << text;
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), rounded) << text;
    const double magnitude = x == 0 ? 0 : std::abs(std::log10(std::abs(x)));
    EXPECT_TRUE(platform::UsesExponentForm(column) ? magnitude > 230 : magnitude < 260) << "fixed form up to 255 characters";
}

class SummaryExactTest : public SummarizeTest {};

TEST_F(SummaryExactTest, EveryWrittenAndPrintedNumberIsTheExactStatisticRounded) {
    const auto names = tessaly::MakeNumNameDictionary();
    int overflows = 0;
    for (unsigned seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937_64 random(seed);
        const std::vector<Row> rows = RandomRows(random);
        const std::string table = "Table" + std::to_string(seed), csv = (Folder() / (table + ".csv")).string();
        std::ofstream(csv + "t") << "Integer,Real,Real,DateTime\n";
        std::ofstream out(csv);
        out << "GROUP,CENTS,WIDE,STAMP\n";
        for (const Row& r : rows) out << r.group << "," << Text(r.cents) << "," << Text(r.wide) << "," << r.stamp << "\n";
        out.close();
        AddToMap({platform::StandaloneTable::Open(table, csv)});
        std::map<int, std::vector<const Row*>> groups;
        std::vector<const Row*> all;
        for (const Row& r : rows) groups[r.group].push_back(&r), all.push_back(&r);

        int field = 0;
        std::string report;
        ui_->WhenModal("tessaly_ThemeIDDialog", [&](platform::Form& form) {
            dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form).lbxField.UserClick(field);
            dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form).cmdOK.UserClick();
        });
        ui_->WhenModal("frmReport_modal", [&](platform::Form& form) {
            report = dynamic_cast<tessaly::frmReport_modal&>(form).txtReport.Text();
            dynamic_cast<tessaly::frmReport_modal&>(form).cmdOK.UserClick();
        });
        const std::string output = (Folder() / (table + ".dbf")).string();
        std::size_t reports = 0;
        Summarize([&](Dialog& dialog) {
            const auto layers = Lines(dialog.cbxLayer);
            dialog.cbxLayer.UserSelect(static_cast<int>(std::find(layers.begin(), layers.end(), table) - layers.begin()));
            for (auto column : {&Row::cents, &Row::wide}) {
                ++field;  // GROUP, CENTS, WIDE
                report.clear();
                reports = Reports().size();
                dialog.cmdOpenStats.UserClick();
                Values v = Numbers(all, column);
                std::sort(v.begin(), v.end());
                const auto m = testsupport::Moments(v);
                const std::size_t n = v.size();
                const std::pair<const char*, double> printed[] = {
                    {"Total", Nearest(m.sum)}, {"Mean", Nearest(m.mean)},
                    {"Median", n % 2 ? v[n / 2] : Nearest((mpq_class(v[n / 2 - 1]) + v[n / 2]) / 2)},
                    {"Minimum", v.front()}, {"Maximum", v.back()}, {"Range", Nearest(mpq_class(v.back()) - v.front())},
                    {"Standard Error of Mean", Nearest(m.variance / static_cast<long>(n), true)},
                    {"Variance", Nearest(m.variance)}, {"Standard Deviation", Nearest(m.variance, true)}};
                const bool finite = std::all_of(std::begin(printed), std::end(printed), [](auto& p) { return std::isfinite(p.second); });
                overflows += !finite;
                ASSERT_EQ(report.empty(), !finite) << "a report only of numbers computed: " << report;
                ASSERT_EQ(Reports().size(), reports + !finite);
                for (std::size_t i = 0; finite && i < std::size(printed); ++i)
                    EXPECT_NE(report.find(std::string("  ") + printed[i].first + ": " +
                                          tessaly::FormatNumberTessaly(printed[i].second, names, i < 6 ? 2 : 4) + "\r\n"),
                              std::string::npos) << printed[i].first << "\n" << report;
                EXPECT_TRUE(!finite || column == &Row::cents || report.find("Value = 0\r\n") != std::string::npos) << report;
            }
            dialog.cbxFieldName.UserSelect(0);
            for (platform::TreeNode* node : dialog.treeFields.Nodes().Roots())
                for (platform::TreeNode* statistic : node->Children()) dialog.treeFields.UserClickNode(*statistic);
            dialog.txtOutput.SetText(output);
            reports = Reports().size();
            dialog.cmdOK.UserClick();
        });
        ASSERT_EQ(Reports().size(), reports) << Reports().back();

        GDALDatasetUniquePtr dbf(GDALDataset::Open(output.c_str(), GDAL_OF_VECTOR));
        ASSERT_TRUE(dbf);
        ASSERT_EQ(dbf->GetLayer(0)->GetFeatureCount(), static_cast<GIntBig>(groups.size()));
        auto group = groups.begin();
        for (const auto& feature : *dbf->GetLayer(0)) {
            SCOPED_TRACE("group " + std::to_string(group->first));
            const auto& members = group->second;
            EXPECT_EQ(feature->GetFieldAsInteger(0), group->first);
            EXPECT_EQ(feature->GetFieldAsInteger(1), static_cast<int>(members.size()));
            auto expected = Written(Numbers(members, &Row::cents));
            for (auto x : Written(Numbers(members, &Row::wide))) expected.push_back(x);
            for (int i = 0; i < 12; ++i) {
                ASSERT_EQ(feature->IsFieldSetAndNotNull(2 + i), expected[i].has_value()) << i;
                EXPECT_EQ(feature->GetFieldAsDouble(2 + i), expected[i].value_or(0)) << i;
            }
            for (auto column : {&Row::cents, &Row::wide})
                for (double x : Numbers(members, column)) ExpectColumnFor(x, Round15(x));
            std::vector<std::string> stamps;
            for (const Row* r : members)
                if (!r->stamp.empty()) stamps.push_back(r->stamp);
            std::sort(stamps.begin(), stamps.end());
            EXPECT_EQ(feature->GetFieldAsString(14), stamps.empty() ? "" : stamps.front());
            EXPECT_EQ(feature->GetFieldAsString(15), stamps.empty() ? "" : stamps.back());
            ++group;
        }
    }
    EXPECT_GT(overflows, 0);
    EXPECT_LT(overflows, 16) << "some tables with statistics beyond doubles, not all";
}

// Column names cut from random names of letters, digits, marks and other scripts.
TEST(DbaseColumnName, KeepsLettersDigitsAndUnderscoreAndCutsOnACharacterBoundary) {
    const std::vector<std::string> pieces = {"a", "Z", "7", "_", ".", " ", "é", "ß", "日", "\xF0\x9F\x98\x80", "\xFF"};
    std::mt19937_64 random(20);
    auto uniform = [&](std::size_t lo, std::size_t hi) { return std::uniform_int_distribution<std::size_t>(lo, hi)(random); };
    for (int i = 0; i < 500; ++i) {
        std::vector<std::string> chosen(uniform(1, 12));
        for (auto& piece : chosen) piece = pieces[uniform(0, pieces.size() - 1)];
        const std::size_t limit = std::min<std::size_t>(uniform(3, 12), 10);
        std::string candidate, expected;
        for (const auto& p : chosen) candidate += p;
        for (const auto& p : chosen) {  // each character kept or "_", while it fits
            const bool kept = p.size() > 1 ? p != "\xF0\x9F\x98\x80" : std::isalnum(static_cast<unsigned char>(p[0])) || p == "_";
            if (expected.size() + (kept ? p.size() : 1) > limit) break;
            expected += kept ? p : "_";
        }
        EXPECT_EQ(platform::DbaseColumnName(candidate, limit), expected) << candidate;
    }
}

}  // namespace
}  // namespace qstest
