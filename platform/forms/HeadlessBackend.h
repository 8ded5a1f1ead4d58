#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/UiBackend.h"

namespace platform {

// The backend tests use. It plays the user from a script and records all
// it was asked to do. Nothing here waits: a modal form that its script
// leaves shown is a test fault and fails at once instead of hanging.
class HeadlessBackend : public UiBackend {
public:
    struct MessageBoxRecord {
        std::string text;
        int style = 0;
        std::string title;  // as shown: the default title when none was given
        int answer = 0;
    };
    struct PrintedDocument {
        double fontSize = 0;
        std::vector<std::string> lines;
    };
    struct ShellOpenRecord {
        std::string target;
        std::string folder;
    };
    using ModalScript = std::function<void(Form&)>;

    // --- the script ---
    // When a form of this name (its class name) shows modally, run `script`
    // with it. The script stays for later shows until replaced.
    void WhenModal(const std::string& formName, ModalScript script);
    // Answers for the next message boxes, in order. Without a queued answer
    // a box answers with its first button: OK, or Yes for Yes/No boxes.
    void QueueAnswer(int answer);
    void SetPrinterAvailable(bool available) { printerAvailable_ = available; }
    void SetProgramStartSucceeds(bool succeeds) { programStartSucceeds_ = succeeds; }
    void SetShellOpenSucceeds(bool succeeds) { shellOpenSucceeds_ = succeeds; }
    void SetErrorReportWindowAvailable(bool available) { errorReportAvailable_ = available; }

    // --- the record ---
    const std::vector<std::string>& ModalShows() const { return modalShows_; }
    const std::vector<std::string>& ModelessShows() const { return modelessShows_; }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
    const std::string& ClipboardText() const { return clipboard_; }
    const std::vector<PrintedDocument>& PrintedDocuments() const { return printed_; }
    const std::vector<ShellOpenRecord>& ShellOpens() const { return shellOpens_; }
    const std::vector<std::string>& ProgramsStarted() const { return programsStarted_; }
    int Beeps() const { return beeps_; }
    // Every pointer set, in order.
    const std::vector<int>& PointerChanges() const { return pointerChanges_; }
    const std::vector<std::string>& ErrorReports() const { return errorReports_; }
    int ErrorReportWindowsCreated() const { return errorReportWindowsCreated_; }

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
    void RequirePrinter() const;

    std::map<std::string, ModalScript> modalScripts_;
    std::deque<int> answers_;
    bool printerAvailable_ = true;
    bool programStartSucceeds_ = true;
    bool shellOpenSucceeds_ = true;
    bool errorReportAvailable_ = true;

    std::vector<std::string> modalShows_;
    std::vector<std::string> modelessShows_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::string clipboard_;
    double printerFontSize_ = 10;
    PrintedDocument pending_;
    bool pendingStarted_ = false;
    std::vector<PrintedDocument> printed_;
    std::vector<ShellOpenRecord> shellOpens_;
    std::vector<std::string> programsStarted_;
    int beeps_ = 0;
    int pointer_ = 0;
    std::vector<int> pointerChanges_;
    std::vector<std::string> errorReports_;
    int errorReportWindowsCreated_ = 0;
};

// Makes a fresh headless backend current for a scope, then puts the
// previous backend back.
class ScopedHeadlessUi {
public:
    ScopedHeadlessUi();
    ~ScopedHeadlessUi();
    ScopedHeadlessUi(const ScopedHeadlessUi&) = delete;
    ScopedHeadlessUi& operator=(const ScopedHeadlessUi&) = delete;

    HeadlessBackend& operator*() const { return *backend_; }
    HeadlessBackend* operator->() const { return backend_.get(); }

private:
    std::shared_ptr<HeadlessBackend> backend_;
    std::shared_ptr<UiBackend> previous_;
};

}  // namespace platform
