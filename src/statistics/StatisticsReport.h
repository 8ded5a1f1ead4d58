#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/data/Variant.h"

namespace tessaly {

class NumNameDictionary;
struct FieldStatistics;

// The lengths of the dash rule after the list of ignored values: the statistics
// command's and the query and summarize dialogs'.
inline constexpr std::size_t kStatsCommandRule = 74;
inline constexpr std::size_t kStatsDialogRule = 58;

// One field's block of the report: the heading with the alias and the layer or
// table name, which records were analysed, a 74-dash rule, the twelve labelled
// values, the rule and an empty line. Amounts take `decimals` places, the
// spreads two more, the counts none.
std::string FieldReportBlock(const std::string& alias, const std::string& tableName, bool allRecords,
                             const FieldStatistics& statistics, const NumNameDictionary& names,
                             std::int16_t decimals);

// "The following values were ignored in the analysis:", one " --> " line per
// value in its general text form, then a rule of `ruleLength` dashes.
std::string IgnoredValuesBlock(const std::vector<platform::Variant>& values, std::size_t ruleLength);

// "Analysis Complete:   " with the time, a line break and the date, in the
// user's locale; no line break at the end.
std::string CompletionLine(std::time_t now);

}  // namespace tessaly
