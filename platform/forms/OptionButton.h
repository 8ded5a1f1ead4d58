#pragma once
#include <functional>

#include "platform/forms/Control.h"

namespace platform {

// The option buttons of one container form a group: one of them is set.
class OptionButton : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    std::function<void()> Click;

    bool Value();
    // True clears the other buttons of the group and runs Click (also when
    // it was already set); false clears this one and runs nothing.
    void SetValue(bool value);

    void UserClick();

protected:
    void ResetState() override;

private:
    bool value_ = false;
};

}  // namespace platform
