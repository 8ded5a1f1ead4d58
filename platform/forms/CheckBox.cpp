#include "platform/forms/CheckBox.h"

#include "platform/forms/FormsError.h"

namespace platform {

void CheckBox::ResetState() {
    CaptionedControl::ResetState();
    value_ = vbUnchecked;
}

int CheckBox::Value() {
    Touch();
    return value_;
}

void CheckBox::SetValue(int value) {
    Touch();
    if (value < vbUnchecked || value > vbGrayed) throw FormError(formerr::InvalidPropertyValue);
    if (value == value_) return;
    value_ = value;
    Changed();
    Raise(Click);
}

void CheckBox::UserClick() {
    if (AcceptsUserInput()) SetValue(value_ == vbChecked ? vbUnchecked : vbChecked);
}

}  // namespace platform
