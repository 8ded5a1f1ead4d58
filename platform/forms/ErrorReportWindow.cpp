#include "platform/forms/ErrorReportWindow.h"

#include "platform/forms/UiBackend.h"

namespace platform {

void ErrorReportWindow::Show(bool visible) {
    if (visible) Ui().ShowErrorReport(text_);
}

std::shared_ptr<ErrorReportWindow> CreateErrorReportWindow() {
    Ui().CreateErrorReportWindow();
    return std::make_shared<ErrorReportWindow>();
}

}  // namespace platform
