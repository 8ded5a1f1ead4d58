#pragma once
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Variant.h"

namespace platform {
class Application;
}

namespace tessaly {

// The statistics of one field, by position. All are doubles except the mode
// text, a string.
using StatsResultArray = std::array<platform::Variant, 11>;

inline constexpr std::size_t kStatsTotal = 0;
inline constexpr std::size_t kStatsMean = 1;
inline constexpr std::size_t kStatsMinimum = 2;
inline constexpr std::size_t kStatsMaximum = 3;
inline constexpr std::size_t kStatsRange = 4;
inline constexpr std::size_t kStatsCount = 5;
inline constexpr std::size_t kStatsStandardDeviation = 6;
inline constexpr std::size_t kStatsVariance = 7;  // sample variance, divisor N - 1
inline constexpr std::size_t kStatsMedian = 8;
inline constexpr std::size_t kStatsStandardError = 9;
inline constexpr std::size_t kStatsModeText = 10;

// Fills `results` with the descriptive statistics of `values`, which must be
// sorted ascending; they are read, never changed. The modes are the values of
// the longest runs of equal values ("1 mode found [3 cases]: Value = 1",
// "2 modes found [2 cases each]: Values = 1, 2", " < No Mode Found >").
// For a single value the median is -9999 and the spreads are 0.
//
// While it runs, the application's status bar shows "Calculating Statistics on
// field [<fieldName>] in <tableName>" and the pointer is the hourglass; both are
// put back however it ends. The sums are kept exactly and every statistic is
// rounded once to the nearest double. An error (no values at all, a statistic
// beyond the range of doubles, a failing status bar) is reported, and
// `results` is then left as it was.
void StatsFromArray(const std::vector<double>& values, const std::string& fieldName,
                    const std::string& tableName, StatsResultArray& results,
                    const std::shared_ptr<platform::Application>& app);

}  // namespace tessaly
