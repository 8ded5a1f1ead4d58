#pragma once
#include <memory>
#include <string>

namespace platform {

// The outside component that shows an error report to the user.
class ErrorReportWindow {
public:
    void SetText(const std::string& text) { text_ = text; }
    const std::string& Text() const { return text_; }
    // Showing hands the current text to the current UI backend.
    void Show(bool visible);

private:
    std::string text_;
};

// Throws ComError when the component cannot be created.
std::shared_ptr<ErrorReportWindow> CreateErrorReportWindow();

}  // namespace platform
