#include "src/statistics/cmdStats.h"

#include "platform/com/ComError.h"
#include "platform/map/Map.h"
#include "src/core/frmReport.h"
#include "src/statistics/StatisticsCandidates.h"
#include "src/statistics/StatisticsPipeline.h"
#include "src/statistics/StatisticsReportWindows.h"

namespace tessaly {

cmdStats::~cmdStats() {
    Guarded(Procedure{"Class_Terminate", info::cmdStats.module}, [&] {
        settings_.excludeText.clear();
        if (report_) {
            report_->Unload();
            report_.reset();
        }
    });
}

void cmdStats::Created() {
    settings_ = StatsDialogSettings{};
    report_ = std::make_shared<frmReport>();
}

void cmdStats::Click() {
    if (!m_pMxDoc) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    const auto map = m_pMxDoc->FocusMap();
    if (!map) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    StatisticsCaller caller;
    caller.currentSelected = PreselectableItem(*m_pMxDoc);
    caller.candidates = FocusMapCandidates(*map);
    caller.application = m_pApp;
    caller.ruleAfterIgnoredValues = kStatsCommandRule;
    caller.showReport = [this](const std::string& report) {
        if (!report_) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        ShowInReportWindow(*report_, report);
    };
    RunStatistics(caller, settings_);
}

}  // namespace tessaly
