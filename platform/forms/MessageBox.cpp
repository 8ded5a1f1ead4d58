#include "platform/forms/MessageBox.h"

#include "platform/forms/UiBackend.h"

namespace platform {

int MsgBox(const std::string& prompt, int style, const std::string& title) {
    return Ui().MessageBox(prompt, style, title.empty() ? kDefaultMessageBoxTitle : title);
}

void Beep() { Ui().Beep(); }

}  // namespace platform
