#include "platform/forms/Clipboard.h"

#include "platform/forms/UiBackend.h"

namespace platform::clipboard {

void Clear() { Ui().ClipboardClear(); }
void SetText(const std::string& text) { Ui().ClipboardSetText(text); }
std::string GetText() { return Ui().ClipboardGetText(); }

}  // namespace platform::clipboard
