#include "src/query_summary/SummaryStatistics.h"

#include "platform/com/ComError.h"
#include "src/core/aml_func_mod.h"

namespace tessaly {

std::string SummaryKeyword(const std::string& nodeText) {
    if (nodeText == "Standard Deviation") return "StdDev";
    if (nodeText == "First") return "Minimum";
    if (nodeText == "Last") return "Maximum";
    for (const char* statistic : kNumericStatistics) {
        if (nodeText == statistic) return nodeText;
    }
    throw platform::RuntimeError(platform::vberr::InvalidCall);
}

std::string SummaryStatisticsString(const std::string& caseField, const std::vector<std::string>& tokens) {
    std::string summary = "Minimum." + caseField + ", Count." + caseField + ", ";
    for (const std::string& token : tokens) summary += token + ", ";
    return BasicTrimAvenue(summary, "", ", ");
}

}  // namespace tessaly
