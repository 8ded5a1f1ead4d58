#pragma once
#include <string>

namespace tessaly {

class frmReport;
class frmReport_modal;

// The statistics command's way: the report replaces the text of its kept
// modeless window, whose frame is captioned "Statistics Report:" and shown.
// The window must be held by a shared_ptr (its frame keeps it).
void ShowInReportWindow(frmReport& window, const std::string& report);

// The query-builder and summarize dialogs' way: the report goes into their own
// modal report window, shown modally with its own caption.
void ShowInModalReportWindow(frmReport_modal& window, const std::string& report);

}  // namespace tessaly
