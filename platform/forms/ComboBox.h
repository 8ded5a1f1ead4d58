#pragma once
#include <functional>
#include <string>

#include "platform/forms/ListControl.h"

namespace platform {

inline constexpr int vbComboDropdown = 0;
inline constexpr int vbComboDropdownList = 2;

class ComboBox : public ListControl {
public:
    using ListControl::ListControl;
    // Typing into the edit part of a drop-down combo.
    std::function<void()> Change;

    // vbComboDropdown (an edit part) or vbComboDropdownList (lines only).
    int Style();
    void SetStyle(int style);
    // A drop-down list shows the chosen line; a drop-down combo its edit text.
    std::string Text();
    // A drop-down list takes only the text of one of its lines (choosing
    // it); anything else there is error 383.
    void SetText(const std::string& text);

    // The user picks line `row` from the list.
    void UserSelect(int row);

protected:
    void ResetState() override;
    void OnCleared() override { editText_.clear(); }
    void OnIndexSet(int index) override;

private:
    int style_ = vbComboDropdown;
    std::string editText_;
};

}  // namespace platform
