#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "src/statistics/StatisticsReport.h"

namespace platform {
class Application;
class HostObject;
}  // namespace platform

namespace tessaly {

class TableLayerCollection;
struct StatsDialogSettings;

// What sets one caller of the statistics apart from another: the statistics
// command, and the query-builder and summarize dialogs' "Statistics" buttons.
struct StatisticsCaller {
    // Handed to the setup dialog; its status bar shows the progress.
    std::shared_ptr<platform::Application> application;
    // The layers and tables offered (the command: all of the focus map; the
    // dialogs: their one current layer or table, key "0").
    std::shared_ptr<const TableLayerCollection> candidates;
    // Preselected in the dialog; may be null.
    std::shared_ptr<platform::HostObject> currentSelected;
    // The dash rule after the list of ignored values.
    std::size_t ruleAfterIgnoredValues = kStatsCommandRule;
    // Shows the finished report (StatisticsReportWindows.h).
    std::function<void(const std::string& report)> showReport;
};

// One statistics run: the setup dialog with the caller's settings, then for
// every chosen field its values read (all or only the selected records,
// ignored values left out by a where clause), their statistics, and the report
// handed to caller.showReport. Cancel ends the run with nothing shown and the
// settings as they were; OK stores the choices in `settings` before anything
// is read, so they stay even when the run then fails.
//
// Errors are thrown for the caller to report under its own name; the pointer
// and the status bar's progress bar are put back on every way out.
void RunStatistics(const StatisticsCaller& caller, StatsDialogSettings& settings);

}  // namespace tessaly
