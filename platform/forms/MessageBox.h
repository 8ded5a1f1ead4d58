#pragma once
#include <string>

namespace platform {

// Buttons and icons of a message box style, and its answers.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// The title a box shows when it is given none.
inline constexpr const char* kDefaultMessageBoxTitle = "TessalyOpenTable";

// Shows a message box through the current UI backend and returns the
// button the user chose.
int MsgBox(const std::string& prompt, int style = 0, const std::string& title = "");

void Beep();

}  // namespace platform
