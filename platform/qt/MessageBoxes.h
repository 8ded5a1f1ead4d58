#pragma once
#include <string>

class QWidget;

namespace platform::qt {

// Shows a classic message box over `parent`: the style's low bits choose the
// buttons (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No,
// 5 Retry/Cancel), 16/32/48/64 the icon, 256/512 the default button. Returns
// the answer: 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No.
int ShowMessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title);

}  // namespace platform::qt
