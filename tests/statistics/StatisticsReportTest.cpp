#include <array>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "StatisticsTestSupport.h"
#include "tests/support/ScopedEnv.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/statistics/StatisticsReport.h"
#include "src/statistics/StatsDialogSettings.h"

namespace statstest {
namespace {

using tessaly::StatsDialogSettings;

const std::string kRule74 = std::string(74, '-') + "\r\n";

// One field's block: heading, records line, rule, the twelve values in report
// order (Total to Empty/Null Values), rule and an empty line.
std::string Block(const std::string& alias, const std::string& table, bool all, std::array<const char*, 12> v) {
    static const char* const labels[] = {"Total", "Mean", "Median", "Mode", "Minimum", "Maximum", "Range",
                                         "Standard Error of Mean", "Variance", "Standard Deviation",
                                         "Number of Records", "Empty/Null Values"};
    std::string block = "Statistics on Field \"" + alias + "\" in " + table + ":\r\n";
    block += all ? "   --> All Records Analyzed...\r\n" : "   --> Only Selected Records Analyzed...\r\n";
    block += kRule74;
    for (std::size_t i = 0; i < v.size(); ++i) block += std::string("  ") + labels[i] + ": " + v[i] + "\r\n";
    return block + kRule74 + "\r\n";
}

std::string Ignored(std::initializer_list<const char*> values, std::size_t rule = 74) {
    std::string list = "The following values were ignored in the analysis:\r\n";
    for (const char* value : values) list += std::string(" --> ") + value + "\r\n";
    return list + std::string(rule, '-') + "\r\n";
}

const std::array<const char*, 12> kNoValues = {"0.00",      "-9,999.00",   "-9,999.00",   "< No Mode Found >",
                                               "-9,999.00", "-9,999.00",   "0.00",        "-9,999.0000",
                                               "-9,999.0000", "-9,999.0000", "0",         "0"};

class StatisticsReportTest : public StatisticsTest {
protected:
    StatsDialogSettings settings_;
};

TEST_F(StatisticsReportTest, AllRecordsOfTwoFieldsMakeOneReport) {
    Choose({.layer = 0, .fieldRows = {0, 1}});
    const std::string report = Run(settings_, Candidates({Gauges()}));
    EXPECT_EQ(WithoutCompletionLine(report),
              "Statistics on Field \"LEVEL\" in Gauges:\r\n"
              "   --> All Records Analyzed...\r\n"
              "--------------------------------------------------------------------------\r\n"
              "  Total: -9,983.00\r\n"
              "  Mean: -1,996.60\r\n"
              "  Median: 4.00\r\n"
              "  Mode: 1 mode found [2 cases]: Value = 4\r\n"
              "  Minimum: -9,999.00\r\n"
              "  Maximum: 6.00\r\n"
              "  Range: 10,005.00\r\n"
              "  Standard Error of Mean: 2,000.6001\r\n"
              "  Variance: 20.0120 million\r\n"
              "  Standard Deviation: 4,473.4778\r\n"
              "  Number of Records: 5\r\n"
              "  Empty/Null Values: 1\r\n"
              "--------------------------------------------------------------------------\r\n"
              "\r\n"
              "Statistics on Field \"DEPTH\" in Gauges:\r\n"
              "   --> All Records Analyzed...\r\n"
              "--------------------------------------------------------------------------\r\n"
              "  Total: 130.00\r\n"
              "  Mean: 21.67\r\n"
              "  Median: 20.00\r\n"
              "  Mode: 2 modes found [2 cases each]: Values = 10, 20\r\n"
              "  Minimum: 10.00\r\n"
              "  Maximum: 40.00\r\n"
              "  Range: 30.00\r\n"
              "  Standard Error of Mean: 4.7726\r\n"
              "  Variance: 136.6667\r\n"
              "  Standard Deviation: 11.6905\r\n"
              "  Number of Records: 6\r\n"
              "  Empty/Null Values: 0\r\n"
              "--------------------------------------------------------------------------\r\n"
              "\r\n");
}

TEST_F(StatisticsReportTest, CompletionLineEndsTheReportWithTimeAndDate) {
    Choose({.layer = 0});
    const std::string report = Run(settings_, Candidates({Gauges()}));
    const auto at = report.rfind("Analysis Complete:   ");
    ASSERT_NE(at, std::string::npos);
    const std::string tail = report.substr(at);
    const auto lineBreak = tail.find("\r\n");
    ASSERT_NE(lineBreak, std::string::npos);
    EXPECT_GT(lineBreak, std::string("Analysis Complete:   ").size()) << "a time follows";
    EXPECT_GT(tail.size(), lineBreak + 2) << "a date follows";
    EXPECT_EQ(tail.find_first_of("\r\n", lineBreak + 2), std::string::npos) << "nothing after the date";
}

struct LongDateCase {
    const char* locale;
    const char* date;
};

class StatisticsCompletionLine : public testing::TestWithParam<LongDateCase> {};

TEST_P(StatisticsCompletionLine, ReadsTimeThenTheLocalesLongDate) {
    const testsupport::ScopedEnv all("LC_ALL", GetParam().locale);
    const testsupport::ScopedEnv zone("TZ", std::string("UTC"));
    tzset();
    constexpr std::time_t kTuesdayAfternoon = 1709647509;  // 2024-03-05 14:05:09 UTC
    const std::string line = tessaly::CompletionLine(kTuesdayAfternoon);
    const auto lineBreak = line.find("\r\n");
    ASSERT_NE(lineBreak, std::string::npos);
    EXPECT_EQ(line.substr(lineBreak + 2), GetParam().date);
    if (std::string(GetParam().locale) == "C") {
        EXPECT_EQ(line.substr(0, lineBreak), "Analysis Complete:   14:05:09");
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, StatisticsCompletionLine,
                         testing::Values(LongDateCase{"C", "Tuesday, 5 March 2024"},
                                         LongDateCase{"en_US.UTF-8", "Tuesday, March 5, 2024"},
                                         LongDateCase{"de_DE.UTF-8", "Dienstag, 5. M\u00e4rz 2024"}),
                         [](const testing::TestParamInfo<LongDateCase>& info) {
                             std::string name = info.param.locale;
                             return name.substr(0, name.find('.'));
                         });

TEST_F(StatisticsReportTest, IgnoredValuesAreLeftOutListedAsNumbersAndNullsStillCounted) {
    Choose({.layer = 0, .ignore = "-9999, 1e3"});
    const std::string report = Run(settings_, Candidates({Gauges()}));
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("LEVEL", "Gauges", true,
                    {"16.00", "4.00", "4.00", "1 mode found [2 cases]: Value = 4", "2.00", "6.00", "4.00", "0.8165",
                     "2.6667", "1.6330", "4", "1"}) +
                  Ignored({"-9999", "1000"}));
}

TEST_F(StatisticsReportTest, TwoThousandIgnoredValuesWorkOnAGeoPackage) {
    std::string typed = "1.5, 3";
    std::vector<std::string> listed = {"1.5", "3"};
    for (int value = 100; value < 2098; ++value) {
        typed += ", " + std::to_string(value);
        listed.push_back(std::to_string(value));
    }
    Choose({.layer = 0, .ignore = typed});
    const std::string report = Run(settings_, Candidates({Wells()}));
    std::string ignored = "The following values were ignored in the analysis:\r\n";
    for (const std::string& value : listed) ignored += " --> " + value + "\r\n";
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("YIELD", "Wells", true,
                    {"5.00", "2.50", "2.50", "1 mode found [2 cases]: Value = 2.5", "2.50", "2.50", "0.00", "0.0000",
                     "0.0000", "0.0000", "2", "0"}) +
                  ignored + kRule74);
}

TEST_F(StatisticsReportTest, OnlySelectedRecordsAreRead) {
    auto gauges = Gauges();
    Select(*gauges, {0, 1, 2});
    Choose({.layer = 0, .selectedOnly = true});
    const std::string report = Run(settings_, Candidates({gauges}));
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("LEVEL", "Gauges", false,
                    {"10.00", "3.33", "4.00", "1 mode found [2 cases]: Value = 4", "2.00", "4.00", "2.00", "0.6667",
                     "1.3333", "1.1547", "3", "0"}));
}

TEST_F(StatisticsReportTest, NullValuesAreCountedApartFromTheRecords) {
    auto gauges = Gauges();
    Select(*gauges, {4, 5});  // -9999 and Null
    Choose({.layer = 0, .selectedOnly = true});
    const std::string report = Run(settings_, Candidates({gauges}));
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("LEVEL", "Gauges", false,
                    {"-9,999.00", "-9,999.00", "-9,999.00", "< No Mode Found >", "-9,999.00", "-9,999.00", "0.00",
                     "0.0000", "0.0000", "0.0000", "1", "1"}));
}

TEST_F(StatisticsReportTest, SelectedRecordsWithIgnoredValuesCountNullsOfTheSelectionOnly) {
    auto gauges = Gauges();
    Select(*gauges, {0, 3, 4, 5});  // 2, 6, -9999, Null
    Choose({.layer = 0, .selectedOnly = true, .ignore = "-9999"});
    const std::string report = Run(settings_, Candidates({gauges}));
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("LEVEL", "Gauges", false,
                    {"8.00", "4.00", "4.00", " < No Mode Found >", "2.00", "6.00", "4.00", "2.0000", "8.0000",
                     "2.8284", "2", "1"}) +
                  Ignored({"-9999"}));
    // The bar counts the whole selection, though fewer rows pass the filter.
    const auto shown = host_->EventsOf(platform::HeadlessHostServices::EventKind::ProgressShown);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().text, "Gathering values from field [LEVEL] in Gauges");
    EXPECT_EQ(shown.front().min, 1);
    EXPECT_EQ(shown.front().max, 4);
}

TEST_F(StatisticsReportTest, GeoPackageFieldsWithSeveralModesAndOneDecimal) {
    Choose({.layer = 0, .fieldRows = {0, 1}, .decimals = 1});
    const std::string report = Run(settings_, Candidates({Wells()}));
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("YIELD", "Wells", true,
                    {"11.0", "2.2", "2.5", "2 modes found [2 cases each]: Values = 1.5, 2.5", "1.5", "3.0", "1.5",
                     "0.300", "0.450", "0.671", "5", "0"}) +
                  Block("DEPTH", "Wells", true,
                        {"800.0", "200.0", "200.0", "1 mode found [2 cases]: Value = 200", "100.0", "300.0", "200.0",
                         "40.825", "6,666.667", "81.650", "4", "1"}));
}

TEST_F(StatisticsReportTest, DifferentValuesHaveNoMode) {
    Choose({.layer = 0});
    const std::string report = Run(settings_, Candidates({Wells("flat", "Flat")}));
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("VALUE", "Flat", true,
                    {"6.00", "2.00", "2.00", " < No Mode Found >", "1.00", "3.00", "2.00", "0.5774", "1.0000",
                     "1.0000", "3", "0"}));
}

TEST_F(StatisticsReportTest, FieldWithoutRowsShowsThePlaceholders) {
    Choose({.layer = 0});
    const std::string report = Run(settings_, Candidates({Wells("empty", "Empty")}));
    EXPECT_EQ(WithoutCompletionLine(report), Block("VALUE", "Empty", true, kNoValues));
}

TEST_F(StatisticsReportTest, FieldWithOneValueHasNoSpread) {
    Choose({.layer = 0});
    const std::string report = Run(settings_, Candidates({Wells("single", "Single")}));
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("VALUE", "Single", true,
                    {"42.50", "42.50", "42.50", "< No Mode Found >", "42.50", "42.50", "0.00", "0.0000", "0.0000",
                     "0.0000", "1", "0"}));
}

TEST_F(StatisticsReportTest, FieldOfOnlyNullsShowsThePlaceholdersWithItsNulls) {
    Choose({.layer = 0});
    const std::string report = Run(settings_, Candidates({Wells("voids", "Voids")}));
    auto expected = kNoValues;
    expected[11] = "2";
    EXPECT_EQ(WithoutCompletionLine(report), Block("VALUE", "Voids", true, expected));
}

TEST_F(StatisticsReportTest, NullsAreCountedWhenIgnoredValuesLeaveNoRow) {
    Choose({.layer = 0, .ignore = "-9999"});
    const std::string report = Run(settings_, Candidates({Wells("voids", "Voids")}));
    auto expected = kNoValues;
    expected[11] = "2";
    EXPECT_EQ(WithoutCompletionLine(report), Block("VALUE", "Voids", true, expected) + Ignored({"-9999"}));
}

TEST_F(StatisticsReportTest, StandaloneTableIsReadWithItsIgnoredValues) {
    Choose({.layer = 0, .ignore = "7"});
    const std::string report = Run(settings_, Candidates({Readings()}));
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("FLOW", "Readings", true,
                    {"5.00", "5.00", "5.00", "< No Mode Found >", "5.00", "5.00", "0.00", "0.0000", "0.0000", "0.0000",
                     "1", "1"}) +
                  Ignored({"7"}));
}

TEST_F(StatisticsReportTest, AliasNamesTheFieldInTheHeading) {
    auto gauges = Gauges();
    gauges->FieldInfo(gauges->FindField("LEVEL"))->Alias("Water level");
    Choose({.layer = 0, .fieldRows = {0}, .decimals = 0});
    const std::string report = Run(settings_, Candidates({gauges}));
    EXPECT_EQ(report.rfind("Statistics on Field \"Water level\" in Gauges:\r\n", 0), 0u) << report;
    EXPECT_NE(report.find("  Mean: -1,997\r\n"), std::string::npos) << report;
}

TEST_F(StatisticsReportTest, DialogVariantRulesTheIgnoredValuesWith58Dashes) {
    Choose({.layer = 0, .ignore = "-9999"});
    const std::string report = Run(settings_, Candidates({Gauges()}), nullptr, tessaly::kStatsDialogRule);
    EXPECT_EQ(WithoutCompletionLine(report),
              Block("LEVEL", "Gauges", true,
                    {"16.00", "4.00", "4.00", "1 mode found [2 cases]: Value = 4", "2.00", "6.00", "4.00", "0.8165",
                     "2.6667", "1.6330", "4", "1"}) +
                  "The following values were ignored in the analysis:\r\n"
                  " --> -9999\r\n"
                  "----------------------------------------------------------\r\n");
}

}  // namespace
}  // namespace statstest
