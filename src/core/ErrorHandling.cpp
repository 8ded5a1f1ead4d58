#include "src/core/ErrorHandling.h"

#include "platform/forms/ErrorReportWindow.h"
#include "platform/forms/MessageBox.h"

#include <memory>
#include <new>
#include <stdexcept>

namespace tessaly {
namespace {

constexpr const char* kCrLf = "\r\n";

// True while the description of the error in flight already holds the
// Number/Description block of an inner procedure.
bool formatted = false;

// The one error-report window, kept once created.
std::shared_ptr<platform::ErrorReportWindow> reportWindow;

std::string FormattedBlock(std::int32_t number, const std::string& description) {
    return std::string(kCrLf) + "Error Number " + kCrLf + "\t" + std::to_string(number) + kCrLf +
           "Description" + kCrLf + "\t" + description + kCrLf + kCrLf;
}

void ShowFallbackBox(const std::string& location, const std::string& text) {
    platform::Beep();
    platform::MsgBox(std::string("An error has occured in the application.   Record the call stack sequence") +
                         kCrLf + "and the description of the error." + kCrLf + kCrLf +
                         "Error Call Stack Sequence " + kCrLf + "\t" + location + kCrLf + text,
                     48, "Unexpected Program Error");
}

// The pass-on error: same number and source, this location put in front.
platform::ComError ChainedError(const std::string& location, std::int32_t number, const std::string& source,
                                const std::string& description) {
    const std::string text = formatted ? description : FormattedBlock(number, description);
    formatted = true;
    return platform::ComError(number, source, "\t" + location + kCrLf + text);
}

}  // namespace

std::string ErrorLineLabel(std::int32_t line) {
    if (line == 0) return {};
    return "Line : " + std::to_string(line);
}

std::string Procedure::Location() const {
    return std::string(name) + " " + module + " " + ErrorLineLabel(line);
}

void ReportProcedureError(bool topLevel, const std::string& location, std::int32_t number,
                          const std::string& source, const std::string& description) {
    if (!topLevel) throw ChainedError(location, number, source, description);
    const std::string text = formatted ? description : FormattedBlock(number, description);
    formatted = false;
    ShowErrorReportWindow(location, text);
}

void ShowErrorReportWindow(const std::string& location, const std::string& text) {
    if (!reportWindow) {
        try {
            reportWindow = platform::CreateErrorReportWindow();
        } catch (...) {
            reportWindow.reset();
        }
        if (!reportWindow) {
            ShowFallbackBox(location, text);
            return;
        }
    }
    reportWindow->SetText(std::string("Record Call Stack Sequence - Bottom line is error line.") + kCrLf +
                          kCrLf + "\t" + location + kCrLf + text);
    reportWindow->Show(true);
}

void ShowClickErrorBox(const char* module, std::int32_t line, const platform::ComError& error) {
    platform::MsgBox(std::string("ICommand_OnClick ") + module + " " + ErrorLineLabel(line) + kCrLf +
                     std::to_string(error.Number()) + kCrLf + error.Source() + kCrLf + error.Description());
}

platform::ComError CurrentError() {
    try {
        throw;
    } catch (const platform::ComError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return platform::RuntimeError(platform::vberr::OutOfMemory);
    } catch (const std::out_of_range&) {
        return platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
    } catch (const std::exception& e) {
        return platform::ComError(platform::vberr::InvalidCall, "TessalyOpenTable", e.what());
    } catch (...) {
        return platform::RuntimeError(platform::vberr::InvalidCall);
    }
}

void ResetErrorHandling() {
    formatted = false;
    reportWindow.reset();
}

namespace detail {

void ReportCurrentError(const Procedure& procedure) noexcept {
    try {
        const platform::ComError error = CurrentError();
        ReportProcedureError(true, procedure.Location(), error.Number(), error.Source(),
                             error.Description());
    } catch (...) {
        // A report that cannot be shown is dropped: the procedure still returns.
    }
}

void PassOnCurrentError(const Procedure& procedure) {
    const platform::ComError error = CurrentError();
    throw ChainedError(procedure.Location(), error.Number(), error.Source(), error.Description());
}

void ShowCurrentClickError(const char* module) noexcept {
    try {
        ShowClickErrorBox(module, 0, CurrentError());
    } catch (...) {
        // Nothing left to tell the user with; the click just ends.
    }
}

}  // namespace detail
}  // namespace tessaly
