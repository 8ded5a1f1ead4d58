#include "platform/forms/OptionButton.h"

#include "platform/forms/Form.h"

namespace platform {

void OptionButton::ResetState() {
    CaptionedControl::ResetState();
    value_ = false;
}

bool OptionButton::Value() {
    Touch();
    return value_;
}

void OptionButton::SetValue(bool value) {
    Touch();
    if (value) {
        platform::Container* group = Container();
        for (Control* control : Parent().Controls()) {
            auto* other = dynamic_cast<OptionButton*>(control);
            if (other != nullptr && other != this && other->Container() == group && other->value_) {
                other->value_ = false;
                other->Changed();
            }
        }
    }
    value_ = value;
    Changed();
    if (value) Raise(Click);
}

void OptionButton::UserClick() {
    if (AcceptsUserInput()) SetValue(true);
}

}  // namespace platform
