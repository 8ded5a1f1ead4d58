#include "platform/forms/HeadlessBackend.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormsError.h"
#include "platform/forms/MessageBox.h"

namespace platform {
namespace {

int FirstButton(int style) {
    switch (style & 0xF) {
    case 2: return 3;          // Abort, Retry, Ignore
    case 3: return vbYes;      // Yes, No, Cancel
    case 4: return vbYes;      // Yes, No
    case 5: return 4;          // Retry, Cancel
    default: return vbOK;      // OK, OK/Cancel
    }
}

// Lines as a printer puts them on paper: each CR LF, CR or LF ends one.
void AppendLines(const std::string& text, std::vector<std::string>& lines) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    lines.push_back(line);
}

}  // namespace

void HeadlessBackend::WhenModal(const std::string& formName, ModalScript script) {
    modalScripts_[formName] = std::move(script);
}

void HeadlessBackend::QueueAnswer(int answer) { answers_.push_back(answer); }

void HeadlessBackend::ShowModal(Form& form) {
    modalShows_.push_back(form.Name());
    const auto script = modalScripts_.find(form.Name());
    if (script != modalScripts_.end()) script->second(form);
    if (form.IsVisible()) {
        form.Hide();
        throw ComError(E_UNEXPECTED, "HeadlessBackend",
                       "The modal form " + form.Name() +
                           (script == modalScripts_.end() ? " has no script" : " is still shown after its script"));
    }
}

void HeadlessBackend::ShowModeless(Form& form, ModelessFrame*) { modelessShows_.push_back(form.Name()); }

void HeadlessBackend::FormHidden(Form&) {}

int HeadlessBackend::MessageBox(const std::string& prompt, int style, const std::string& title) {
    int answer = FirstButton(style);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    messageBoxes_.push_back({prompt, style, title, answer});
    return answer;
}

void HeadlessBackend::ClipboardClear() { clipboard_.clear(); }
void HeadlessBackend::ClipboardSetText(const std::string& text) { clipboard_ = text; }
std::string HeadlessBackend::ClipboardGetText() { return clipboard_; }

void HeadlessBackend::RequirePrinter() const {
    if (!printerAvailable_) throw FormError(formerr::PrinterError);
}

void HeadlessBackend::PrinterSetFontSize(double points) {
    RequirePrinter();
    printerFontSize_ = points;
    if (!pendingStarted_) pending_.fontSize = points;
}

double HeadlessBackend::PrinterFontSize() {
    RequirePrinter();
    return printerFontSize_;
}

void HeadlessBackend::PrinterPrint(const std::string& text) {
    RequirePrinter();
    if (!pendingStarted_) pending_.fontSize = printerFontSize_;
    pendingStarted_ = true;
    AppendLines(text, pending_.lines);
}

void HeadlessBackend::PrinterPrintEmptyLine() { PrinterPrint(""); }

void HeadlessBackend::PrinterEndDoc() {
    RequirePrinter();
    printed_.push_back(std::move(pending_));
    pending_ = PrintedDocument{printerFontSize_, {}};
    pendingStarted_ = false;
}

void HeadlessBackend::SetMousePointer(int pointer) {
    pointer_ = pointer;
    pointerChanges_.push_back(pointer);
}

int HeadlessBackend::MousePointer() { return pointer_; }

bool HeadlessBackend::ShellOpen(const std::string& target, const std::string& folder) {
    shellOpens_.push_back({target, folder});
    return shellOpenSucceeds_;
}

bool HeadlessBackend::StartProgram(const std::string& path) {
    programsStarted_.push_back(path);
    return programStartSucceeds_;
}

void HeadlessBackend::Beep() { ++beeps_; }

void HeadlessBackend::CreateErrorReportWindow() {
    if (!errorReportAvailable_) throw FormError(formerr::CannotCreateObject);
    ++errorReportWindowsCreated_;
}

void HeadlessBackend::ShowErrorReport(const std::string& text) { errorReports_.push_back(text); }

ScopedHeadlessUi::ScopedHeadlessUi()
    : backend_(std::make_shared<HeadlessBackend>()), previous_(CurrentUiBackend()) {
    SetUiBackend(backend_);
}

ScopedHeadlessUi::~ScopedHeadlessUi() { SetUiBackend(previous_); }

}  // namespace platform
