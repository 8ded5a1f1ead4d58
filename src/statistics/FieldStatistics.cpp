#include "src/statistics/FieldStatistics.h"

#include <limits>

#include "platform/com/ComError.h"
#include "src/core/QuickSortNonCase.h"
#include "src/statistics/TessalyFunctionsStats.h"

namespace tessaly {
namespace {

double Number(const platform::Variant& value) { return value.IsNumeric() ? value.ToDouble() : 0; }

}  // namespace

FieldStatistics ComputeFieldStatistics(std::vector<double>& values, std::int64_t nullCount,
                                       const std::string& fieldName, const std::string& tableName,
                                       const std::shared_ptr<platform::Application>& application) {
    FieldStatistics statistics;
    statistics.nullCount = nullCount;
    statistics.count = static_cast<std::int64_t>(values.size());
    if (values.empty()) return statistics;
    if (values.size() == 1) {
        const double v = values.front();
        statistics.total = statistics.mean = statistics.median = statistics.minimum = statistics.maximum = v;
        statistics.range = statistics.standardError = statistics.variance = statistics.standardDeviation = 0;
        return statistics;
    }
    if (values.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw platform::RuntimeError(platform::vberr::Overflow);
    DoubleAscending(values, 0, static_cast<std::int32_t>(values.size() - 1));
    StatsResultArray results;
    StatsFromArray(values, fieldName, tableName, results, application);
    if (!results[kStatsTotal].IsNumeric()) {
        statistics.computed = false;
        return statistics;
    }
    statistics.total = Number(results[kStatsTotal]);
    statistics.mean = Number(results[kStatsMean]);
    statistics.minimum = Number(results[kStatsMinimum]);
    statistics.maximum = Number(results[kStatsMaximum]);
    statistics.range = Number(results[kStatsRange]);
    statistics.standardDeviation = Number(results[kStatsStandardDeviation]);
    statistics.variance = Number(results[kStatsVariance]);
    statistics.median = Number(results[kStatsMedian]);
    statistics.standardError = Number(results[kStatsStandardError]);
    statistics.modeText = results[kStatsModeText].IsString() ? results[kStatsModeText].AsString() : std::string();
    return statistics;
}

}  // namespace tessaly
