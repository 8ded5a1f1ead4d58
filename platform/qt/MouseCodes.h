#pragma once
#include <Qt>

namespace platform::qt {

// The classic runtime's mouse-button codes: 1 left, 2 right, 4 middle.
inline int ButtonCode(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

// Its shift-key codes: 1 Shift, 2 Ctrl, 4 Alt.
inline int ShiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace platform::qt
