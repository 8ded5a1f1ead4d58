#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class Application;
}

namespace tessaly {

// What the report shows for one field.
struct FieldStatistics {
    double total = 0;
    double mean = -9999;
    double median = -9999;
    std::string modeText = "< No Mode Found >";
    double minimum = -9999;
    double maximum = -9999;
    double range = 0;
    double standardError = -9999;
    double variance = -9999;
    double standardDeviation = -9999;
    std::int64_t count = 0;
    std::int64_t nullCount = 0;
    // False when StatsFromArray reported that it could not compute them.
    bool computed = true;
};

// The statistics of one field's values, sorting them ascending in place. No
// value gives the placeholders above (-9999 for what cannot be computed); one
// value v gives v for the total, mean, median and extremes and 0 for the
// spreads; two or more go through StatsFromArray, which shows its own progress
// and reports its own errors (`computed` is then false).
FieldStatistics ComputeFieldStatistics(std::vector<double>& values, std::int64_t nullCount,
                                       const std::string& fieldName, const std::string& tableName,
                                       const std::shared_ptr<platform::Application>& application);

}  // namespace tessaly
