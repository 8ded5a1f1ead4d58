#pragma once
#include <functional>

#include "platform/forms/Control.h"

namespace platform {

inline constexpr int vbUnchecked = 0;
inline constexpr int vbChecked = 1;
inline constexpr int vbGrayed = 2;

class CheckBox : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    // Runs whenever Value changes, from code or from the user.
    std::function<void()> Click;

    int Value();
    // 0, 1 or 2 (greyed); anything else is error 380.
    void SetValue(int value);

    // A click ticks an unticked or greyed box and unticks a ticked one.
    void UserClick();

protected:
    void ResetState() override;

private:
    int value_ = vbUnchecked;
};

}  // namespace platform
