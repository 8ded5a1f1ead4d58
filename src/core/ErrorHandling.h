#pragma once
#include "platform/com/ComError.h"

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

// How every procedure of the library catches and reports its errors.
//
// Wrap a procedure's body in one of the helpers below, naming the procedure
// and its module. What the body throws is reported, and nothing escapes:
//
//   std::string ReturnFilename(const std::string& path) {
//       return Guarded(Procedure{"ReturnFilename", "aml_func_mod"}, std::string{}, [&] {
//           ...                      // may throw anything
//           return name;             // the result on success
//       });                          // after an error: reported, std::string{} returned
//   }
//
//   void cmdPrint_Click() {
//       Guarded(Procedure{"cmdPrint_Click", "frmReport"}, [&] { ... });
//   }
//
//   std::int32_t DateToJulian(double date) {          // hands its error to the caller
//       return PassedOn(Procedure{"DateToJulian", "QuickSortNonCase"}, [&] { ... });
//   }
//
//   void OnClick() {                                  // the plain box of the ten clicks
//       GuardedClick("OpenTable", [&] { ... });
//   }
//
// Guarded: the top-level report (the error-report window); the procedure then
// returns `fallback`. PassedOn: the error leaves as a platform::ComError whose
// description carries this procedure's location in front, and the caller's own
// Guarded reports the whole chain. Give the fallback its real type
// (std::string{}, not "").
namespace tessaly {

// "" for line 0 (no line known), else "Line : " and the number.
std::string ErrorLineLabel(std::int32_t line);

// Who is reporting: the procedure's own name ("Form_Load", "ICommand_OnClick",
// "ParseString"), its module's fixed identifier ("frmReport", "aml_func_mod")
// and the failing line (0 when unknown).
struct Procedure {
    const char* name;
    const char* module;
    std::int32_t line = 0;

    // Name, blank, module, blank, line label: ends in a blank when the line is 0.
    std::string Location() const;
};

// Top level (topLevel true): shows the report and returns. Pass-on: throws a
// platform::ComError with the same number and source and the location put in
// front of the description; nothing is shown.
void ReportProcedureError(bool topLevel, const std::string& location, std::int32_t number,
                          const std::string& source, const std::string& description);

// Shows `text` under the call-stack header with `location` in the one error-report
// window, created at the first call and kept. When the window cannot be created,
// beeps and shows the report in a message box instead, and tries again next time.
void ShowErrorReportWindow(const std::string& location, const std::string& text);

// The plain box of a failing command click: "ICommand_OnClick <module> <label>",
// then the number, the source and the description, one per line; OK only, no icon.
// Leaves the report window and the pass-on state alone.
void ShowClickErrorBox(const char* module, std::int32_t line, const platform::ComError& error);

// The error of the exception being handled; call only inside a catch block.
// platform::ComError as it is; std::bad_alloc 7, std::out_of_range 9 with the
// runtime's texts; any other std::exception 5 with its what(); anything else 5.
platform::ComError CurrentError();

// Forgets the report window and the pending pass-on state, as unloading the
// library does.
void ResetErrorHandling();

namespace detail {
// Reports the exception being handled at top level; never throws.
void ReportCurrentError(const Procedure& procedure) noexcept;
// Passes the exception being handled on, with the procedure's location added.
[[noreturn]] void PassOnCurrentError(const Procedure& procedure);
// The plain click box for the exception being handled; never throws.
void ShowCurrentClickError(const char* module) noexcept;
}  // namespace detail

template <class R, class F>
R Guarded(const Procedure& procedure, R fallback, F&& body) {
    static_assert(!std::is_same_v<R, const char*>, "give the fallback its real type");
    try {
        return std::forward<F>(body)();
    } catch (...) {
        detail::ReportCurrentError(procedure);
    }
    return fallback;
}

template <class F>
void Guarded(const Procedure& procedure, F&& body) {
    try {
        std::forward<F>(body)();
    } catch (...) {
        detail::ReportCurrentError(procedure);
    }
}

template <class F>
auto PassedOn(const Procedure& procedure, F&& body) -> decltype(std::forward<F>(body)()) {
    try {
        return std::forward<F>(body)();
    } catch (...) {
        detail::PassOnCurrentError(procedure);
    }
}

template <class F>
void GuardedClick(const char* module, F&& body) {
    try {
        std::forward<F>(body)();
    } catch (...) {
        detail::ShowCurrentClickError(module);
    }
}

}  // namespace tessaly
