#pragma once
#include <string>

namespace platform {
class FeatureLayer;
class StandaloneTable;
}  // namespace platform

namespace tessaly {

// The end of a "Problem with Data:" message, one for a feature layer and one
// for a standalone table; each command that refuses an invalid item has its own.
struct ProblemTails {
    const char* layer;
    const char* table;
};

inline constexpr ProblemTails kOpenTableProblem{"layer.  Unable to open table...",
                                                "table.  Unable to open table..."};
inline constexpr ProblemTails kSelectAllProblem{"layer.  Unable to set selection...",
                                                "table.  Unable to set selection..."};
inline constexpr ProblemTails kSelectSwitchProblem{"layer.  Unable to switch selection...",
                                                   "table.  Unable to switch selection..."};
// The table's tail says "this layer" too.
inline constexpr ProblemTails kSummarizeProblem{"layer.  Unable to summarize this layer...",
                                                "table.  Unable to summarize this layer..."};

inline constexpr const char* kProblemWithDataTitle = "Problem with Data:";

// "There is something wrong with <name>!  It is not a valid <tail>".
std::string ProblemWithDataText(const std::string& name, const char* tail);

// The information box (OK only) naming the invalid layer or table. The caller
// ends its click after it.
void ShowProblemWithData(const platform::FeatureLayer& layer, const ProblemTails& tails);
void ShowProblemWithData(const platform::StandaloneTable& table, const ProblemTails& tails);

}  // namespace tessaly
