#include "src/statistics/TessalyFunctionsStats.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/com/ComError.h"
#include "platform/data/ExactSum.h"
#include "platform/map/Application.h"
#include "platform/map/StatusBar.h"
#include "src/core/ErrorHandling.h"
#include "src/core/aml_func_mod.h"
#include "src/statistics/StatusBarProgress.h"

namespace tessaly {
namespace {

struct Run {
    double length;
    double value;
};

// The runs of two or more equal values, in ascending order of value.
std::vector<Run> RunsOfEqualValues(const std::vector<double>& values, StatusBarProgress& progress) {
    std::vector<Run> runs;
    const std::size_t last = values.size() - 1;
    std::size_t i = 0;
    while (i < last) {
        double length = 1;
        const double value = values[i];
        while (i < last && values[i + 1] == value) {
            ++i;
            progress.Step();
            length += 1;
        }
        if (length > 1) runs.push_back({length, value});
        ++i;
        progress.Step();
    }
    return runs;
}

std::string ModeText(const std::vector<Run>& runs) {
    if (runs.empty()) return " < No Mode Found >";
    std::int32_t longest = 0;
    std::vector<double> modes;
    for (const Run& run : runs) {
        if (run.length > longest) {
            longest = static_cast<std::int32_t>(run.length);
            modes.assign(1, run.value);
        } else if (run.length == longest) {
            modes.push_back(run.value);
        }
    }
    // A zero is written "0", whatever its sign.
    auto text = [](double mode) { return platform::Variant(mode == 0 ? 0.0 : mode).ToText(); };
    if (modes.size() == 1) {
        return "1 mode found [" + InsertCommas(longest) + " cases]: Value = " + text(modes.front());
    }
    std::string list;
    for (double mode : modes) {
        if (!list.empty()) list += ", ";
        list += text(mode);
    }
    return std::to_string(modes.size()) + " modes found [" + InsertCommas(longest) +
           " cases each]: Values = " + list;
}

double Checked(double value) {
    if (!std::isfinite(value)) throw platform::RuntimeError(platform::vberr::Overflow);
    return value;
}

}  // namespace

void StatsFromArray(const std::vector<double>& values, const std::string& fieldName,
                    const std::string& tableName, StatsResultArray& results,
                    const std::shared_ptr<platform::Application>& app) {
    Guarded(Procedure{"StatsFromArray", "TessalyFunctions"}, [&] {
        if (!app || !app->StatusBar()) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        const auto n = static_cast<std::int64_t>(values.size());
        // The bar's maximum is short of the steps taken; the bar tolerates it.
        StatusBarProgress progress(*app->StatusBar(),
                                   "Calculating Statistics on field [" + fieldName + "] in " + tableName,
                                   3 * (n - 2), StatusBarProgress::Pointer::Hourglass);
        progress.Step();
        if (n == 0) throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);

        const std::string modeText = ModeText(RunsOfEqualValues(values, progress));

        // Sums kept exactly, each statistic rounded once: whatever a double can hold comes out.
        double minimum = values.front();
        double maximum = values.front();
        platform::ExactSum sum;
        platform::ExactSum squares;
        for (double value : values) {
            progress.Step();
            if (!std::isfinite(value)) throw platform::RuntimeError(platform::vberr::Overflow);
            minimum = std::min(minimum, value);
            maximum = std::max(maximum, value);
            sum.Add(value);
        }
        const double count = static_cast<double>(n);
        const double total = Checked(platform::NearestDouble(sum.Value()));
        const double mean = Checked(platform::NearestDouble(platform::ExactMean(sum, n)));
        for (double value : values) {
            progress.Step();
            squares.AddSquare(value);
        }

        double median = -9999;
        double variance = 0;
        double standardDeviation = 0;
        double standardError = 0;
        if (n > 1) {
            const auto middle = static_cast<std::size_t>(n / 2);
            if (n % 2 == 0) {
                platform::ExactSum pair;
                pair.Add(values[middle - 1]);
                pair.Add(values[middle]);
                median = platform::NearestDouble(platform::ExactMean(pair, 2));
            } else {
                median = values[middle];
            }
            platform::ExactRatio exact = platform::ExactVariance(sum, squares, n);
            variance = Checked(platform::NearestDouble(exact));
            standardDeviation = Checked(platform::NearestDoubleOfRoot(exact));
            exact.denominator *= static_cast<long>(n);
            standardError = Checked(platform::NearestDoubleOfRoot(exact));
        }
        const double range = Checked(maximum - minimum);  // rounded once already

        results[kStatsTotal] = total;
        results[kStatsMean] = mean;
        results[kStatsMinimum] = minimum;
        results[kStatsMaximum] = maximum;
        results[kStatsRange] = range;
        results[kStatsCount] = count;
        results[kStatsStandardDeviation] = standardDeviation;
        results[kStatsVariance] = variance;
        results[kStatsMedian] = median;
        results[kStatsStandardError] = standardError;
        results[kStatsModeText] = modeText;
        progress.Finish();
    });
}

}  // namespace tessaly
