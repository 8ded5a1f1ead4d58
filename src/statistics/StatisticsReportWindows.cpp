#include "src/statistics/StatisticsReportWindows.h"

#include "platform/com/ComError.h"
#include "src/core/frmReport.h"
#include "src/core/frmReport_modal.h"

namespace tessaly {

void ShowInReportWindow(frmReport& window, const std::string& report) {
    window.txtReport.SetText(report);
    const auto frame = window.Frame();
    if (!frame) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    frame->SetCaption("Statistics Report:");
    frame->SetVisible(true);
}

void ShowInModalReportWindow(frmReport_modal& window, const std::string& report) {
    window.txtReport.SetText(report);
    window.Show(platform::vbModal);
}

}  // namespace tessaly
