#include "platform/forms/Screen.h"

#include "platform/forms/UiBackend.h"

namespace platform::screen {

void SetMousePointer(int pointer) { Ui().SetMousePointer(pointer); }

int MousePointer() { return Ui().MousePointer(); }

}  // namespace platform::screen
