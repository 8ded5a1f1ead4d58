#pragma once
#include <QPointer>
#include <map>
#include <memory>
#include <string>

#include "platform/forms/UiBackend.h"

class QEventLoop;
class QWidget;

namespace platform::qt {

class ErrorReportDialog;
class FormView;
class PictureStore;
class QtPrinter;

// The UI backend of a Qt application: forms are shown as real windows (one
// generic view per control kind), and message boxes, the clipboard, the
// printer, the pointer, the desktop's programs and the error-report window
// are Qt's.
//
// A host installs it once a QApplication exists:
//     platform::SetUiBackend(std::make_shared<platform::qt::QtBackend>(&mainWindow));
// `mainWindow` (may be null) is the owner of dialogs and host frames.
//
// A modal show runs a local event loop until the form hides or unloads. A
// shown form is kept alive by its window until it hides. Hiding or unloading
// closes the window; the next show builds a fresh one from the form's state.
class QtBackend : public UiBackend {
public:
    explicit QtBackend(QWidget* mainWindow = nullptr);
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    // Where pictures named by forms are looked for, besides the Qt resources.
    void AddPictureFolder(const std::string& folder);
    // Prints through `printer` instead of one on the system's default printer.
    void SetPrinter(std::unique_ptr<QtPrinter> printer);

    // The window and view of a shown form, or none.
    QWidget* WindowOf(const Form& form) const;
    FormView* ViewOf(const Form& form) const;
    // The kept error-report window, none before the first report.
    ErrorReportDialog* ErrorReportWindow() const;

    // --- UiBackend ---
    void ShowModal(Form& form) override;
    void ShowModeless(Form& form, ModelessFrame* frame) override;
    void FormHidden(Form& form) override;
    int MessageBox(const std::string& prompt, int style, const std::string& title) override;
    void ClipboardClear() override;
    void ClipboardSetText(const std::string& text) override;
    std::string ClipboardGetText() override;
    void PrinterSetFontSize(double points) override;
    double PrinterFontSize() override;
    void PrinterPrint(const std::string& text) override;
    void PrinterPrintEmptyLine() override;
    void PrinterEndDoc() override;
    void SetMousePointer(int pointer) override;
    int MousePointer() override;
    bool ShellOpen(const std::string& target, const std::string& folder) override;
    bool StartProgram(const std::string& path) override;
    void Beep() override;
    void CreateErrorReportWindow() override;
    void ShowErrorReport(const std::string& text) override;

private:
    struct Shown {
        QPointer<QWidget> window;
        QPointer<FormView> view;
        QEventLoop* loop = nullptr;
        std::shared_ptr<Form> keep;
    };

    Shown& Open(Form& form, ModelessFrame* frame, bool modal);
    void Close(const Form* form);
    QWidget* DialogParent() const;

    QPointer<QWidget> mainWindow_;
    std::unique_ptr<PictureStore> pictures_;
    std::unique_ptr<QtPrinter> printer_;
    std::map<const Form*, Shown> shown_;
    QPointer<ErrorReportDialog> errorReport_;
    int pointer_ = 0;
    bool overrideCursor_ = false;
};

}  // namespace platform::qt
