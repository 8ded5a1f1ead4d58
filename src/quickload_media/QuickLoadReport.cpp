#include "src/quickload_media/QuickLoadReport.h"

#include <memory>

#include "src/core/frmReport_modal.h"

namespace tessaly {

void ShowQuickLoadReport(const std::string& caption, const std::string& text) {
    auto report = std::make_shared<frmReport_modal>();
    report->txtReport.SetFontSize(8);
    report->txtReport.SetText(text);
    report->SetCaption(caption);
    report->Show(platform::vbModal);
}

}  // namespace tessaly
