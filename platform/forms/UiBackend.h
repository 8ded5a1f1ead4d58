#pragma once
#include <memory>
#include <string>

namespace platform {

class Form;
class ModelessFrame;

// What the user interface of the process does for forms and the platform's
// UI services. One backend is current for the whole process: the headless
// one by default (tests script it), the Qt one in the desktop host.
// Host services of the map layer (status bar, table windows, refreshes,
// catalog dialogs) have their own interface there.
class UiBackend {
public:
    virtual ~UiBackend() = default;

    // Forms. The form has already been loaded and marked visible.
    // ShowModal returns once the form is hidden or unloaded.
    virtual void ShowModal(Form& form) = 0;
    // Returns at once. `frame` is the host frame that wraps the form, or none.
    virtual void ShowModeless(Form& form, ModelessFrame* frame) = 0;
    // A shown form was hidden or unloaded.
    virtual void FormHidden(Form& form) = 0;

    // Message box: the title is the one shown (never empty). Answers
    // 1 OK, 2 Cancel, 6 Yes, 7 No.
    virtual int MessageBox(const std::string& prompt, int style, const std::string& title) = 0;

    virtual void ClipboardClear() = 0;
    virtual void ClipboardSetText(const std::string& text) = 0;
    virtual std::string ClipboardGetText() = 0;

    // The default printer. Every call throws ComError when there is none.
    virtual void PrinterSetFontSize(double points) = 0;
    virtual double PrinterFontSize() = 0;
    virtual void PrinterPrint(const std::string& text) = 0;
    virtual void PrinterPrintEmptyLine() = 0;
    virtual void PrinterEndDoc() = 0;

    virtual void SetMousePointer(int pointer) = 0;
    virtual int MousePointer() = 0;

    // Opens a document or web address with its own program; `folder` is the
    // working folder ("" for none). True when it could be started.
    virtual bool ShellOpen(const std::string& target, const std::string& folder) = 0;
    // Starts a program by its path with a normal window.
    virtual bool StartProgram(const std::string& path) = 0;
    virtual void Beep() = 0;

    // The outside error-report component: creation throws ComError when it
    // is not available; Show hands over the text to show.
    virtual void CreateErrorReportWindow() = 0;
    virtual void ShowErrorReport(const std::string& text) = 0;
};

// Makes `backend` the current one (none restores the default headless one).
void SetUiBackend(std::shared_ptr<UiBackend> backend);
// The current backend.
UiBackend& Ui();
std::shared_ptr<UiBackend> CurrentUiBackend();

}  // namespace platform
