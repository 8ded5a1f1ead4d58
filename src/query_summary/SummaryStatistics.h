#pragma once
#include <array>
#include <string>
#include <vector>

// The statistics a summary table can hold, as the summarize dialog offers
// them and as the dissolve takes them.
namespace tessaly {

// The statistic nodes under a numeric field, and under a text or date field.
inline constexpr std::array<const char*, 6> kNumericStatistics{"Minimum", "Maximum", "Average",
                                                               "Sum",     "Standard Deviation", "Variance"};
inline constexpr std::array<const char*, 2> kTextStatistics{"First", "Last"};

// The dissolve keyword of a statistic node's text: "Standard Deviation" is
// "StdDev", "First" and "Last" are "Minimum" and "Maximum", the others are
// themselves. Any other text is runtime error 5.
std::string SummaryKeyword(const std::string& nodeText);

// "Minimum.<case>, Count.<case>", then ", " and each token; no separator at
// the end.
std::string SummaryStatisticsString(const std::string& caseField, const std::vector<std::string>& tokens);

}  // namespace tessaly
