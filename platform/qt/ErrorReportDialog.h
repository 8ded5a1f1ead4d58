#pragma once
#include <QDialog>
#include <string>

class QPlainTextEdit;

namespace platform::qt {

// The error-report window: one kept window with the report in a read-only
// monospace text; each report replaces the text and brings the window up.
class ErrorReportDialog : public QDialog {
public:
    explicit ErrorReportDialog(QWidget* parent = nullptr);
    void ShowReport(const std::string& text);
    QString Text() const;

private:
    QPlainTextEdit* text_;
};

}  // namespace platform::qt
