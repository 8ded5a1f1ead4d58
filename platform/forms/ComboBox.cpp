#include "platform/forms/ComboBox.h"

#include <algorithm>

#include "platform/forms/FormsError.h"

namespace platform {

void ComboBox::ResetState() {
    ListControl::ResetState();
    style_ = vbComboDropdown;
    editText_.clear();
}

int ComboBox::Style() {
    Touch();
    return style_;
}

void ComboBox::SetStyle(int style) {
    Touch();
    if (style != vbComboDropdown && style != vbComboDropdownList) throw FormError(formerr::InvalidPropertyValue);
    style_ = style;
    Changed();
}

std::string ComboBox::Text() {
    Touch();
    return style_ == vbComboDropdownList ? List(ListIndex()) : editText_;
}

void ComboBox::SetText(const std::string& text) {
    Touch();
    if (style_ == vbComboDropdownList) {
        const auto& items = Items();
        const auto found = std::find(items.begin(), items.end(), text);
        if (found == items.end()) throw FormError(formerr::TextPropertyReadOnly);
        SetListIndex(static_cast<int>(found - items.begin()));
        return;
    }
    if (text == editText_) return;
    editText_ = text;
    Changed();
    Raise(Change);
}

void ComboBox::OnIndexSet(int index) {
    if (index >= 0) editText_ = Items()[static_cast<std::size_t>(index)];
}

void ComboBox::UserSelect(int row) {
    if (!AcceptsUserInput() || row < 0 || row >= static_cast<int>(Items().size())) return;
    SetListIndex(row);
}

}  // namespace platform
