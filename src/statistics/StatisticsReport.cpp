#include "src/statistics/StatisticsReport.h"

#include "src/statistics/FieldStatistics.h"
#include "src/statistics/IgnoreValues.h"
#include "src/statistics/ReportClock.h"
#include "src/statistics/TessalyFunctionsFormat.h"

namespace tessaly {
namespace {

constexpr const char* kCrLf = "\r\n";
// Every field block is ruled with 74 dashes, whoever runs the statistics.
constexpr std::size_t kBlockRule = 74;

std::string Rule(std::size_t length) { return std::string(length, '-') + kCrLf; }

}  // namespace

std::string FieldReportBlock(const std::string& alias, const std::string& tableName, bool allRecords,
                             const FieldStatistics& s, const NumNameDictionary& names, std::int16_t decimals) {
    const auto amount = [&](double x) { return FormatNumberTessaly(x, names, decimals); };
    const auto spread = [&](double x) { return FormatNumberTessaly(x, names, static_cast<std::int16_t>(decimals + 2)); };
    const auto count = [&](std::int64_t n) { return FormatNumberTessaly(static_cast<double>(n), names, 0); };

    std::string block = "Statistics on Field \"" + alias + "\" in " + tableName + ":" + kCrLf;
    block += allRecords ? "   --> All Records Analyzed..." : "   --> Only Selected Records Analyzed...";
    block += kCrLf;
    block += Rule(kBlockRule);
    block += "  Total: " + amount(s.total) + kCrLf;
    block += "  Mean: " + amount(s.mean) + kCrLf;
    block += "  Median: " + amount(s.median) + kCrLf;
    block += "  Mode: " + s.modeText + kCrLf;
    block += "  Minimum: " + amount(s.minimum) + kCrLf;
    block += "  Maximum: " + amount(s.maximum) + kCrLf;
    block += "  Range: " + amount(s.range) + kCrLf;
    block += "  Standard Error of Mean: " + spread(s.standardError) + kCrLf;
    block += "  Variance: " + spread(s.variance) + kCrLf;
    block += "  Standard Deviation: " + spread(s.standardDeviation) + kCrLf;
    block += "  Number of Records: " + count(s.count) + kCrLf;
    block += "  Empty/Null Values: " + count(s.nullCount) + kCrLf;
    block += Rule(kBlockRule);
    block += kCrLf;
    return block;
}

std::string IgnoredValuesBlock(const std::vector<platform::Variant>& values, std::size_t ruleLength) {
    std::string block = std::string("The following values were ignored in the analysis:") + kCrLf;
    for (const platform::Variant& value : values) block += " --> " + GeneralNumberText(value.ToDouble()) + kCrLf;
    block += Rule(ruleLength);
    return block;
}

std::string CompletionLine(std::time_t now) {
    return "Analysis Complete:   " + LongTimeText(now) + kCrLf + LongDateText(now);
}

}  // namespace tessaly
