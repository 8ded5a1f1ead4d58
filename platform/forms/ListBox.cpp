#include "platform/forms/ListBox.h"

#include "platform/forms/FormsError.h"

namespace platform {

void ListBox::ResetState() {
    ListControl::ResetState();
    multiSelect_ = vbMultiSelectNone;
    marks_.clear();
    ++marksRevision_;
}

int ListBox::MultiSelect() {
    Touch();
    return multiSelect_;
}

void ListBox::SetMultiSelect(int mode) {
    Touch();
    if (mode < vbMultiSelectNone || mode > vbMultiSelectExtended) throw FormError(formerr::InvalidPropertyValue);
    multiSelect_ = mode;
    Changed();
}

void ListBox::CheckIndex(int index) {
    if (index < 0 || index >= static_cast<int>(Items().size())) throw FormError(formerr::InvalidPropertyArrayIndex);
}

bool ListBox::Selected(int index) {
    Touch();
    CheckIndex(index);
    if (multiSelect_ == vbMultiSelectNone) return index == ListIndex();
    return index < static_cast<int>(marks_.size()) && marks_[static_cast<std::size_t>(index)];
}

void ListBox::SetSelected(int index, bool selected) {
    Touch();
    CheckIndex(index);
    if (multiSelect_ == vbMultiSelectNone) {
        if (selected) {
            SetListIndex(index);
        } else if (index == ListIndex()) {
            SetListIndex(-1);
        }
        return;
    }
    marks_.resize(Items().size(), false);
    marks_[static_cast<std::size_t>(index)] = selected;
    ++marksRevision_;
    SetIndexSilently(index);
    Changed();
    Raise(Click);
}

void ListBox::OnIndexSet(int) { marks_.resize(Items().size(), false); }

std::string ListBox::Text() {
    Touch();
    return List(ListIndex());
}

void ListBox::UserClick(int row) {
    if (!AcceptsUserInput() || row < 0 || row >= static_cast<int>(Items().size())) return;
    if (multiSelect_ == vbMultiSelectNone) {
        SetListIndex(row);
    } else {
        SetSelected(row, !Selected(row));
    }
}

void ListBox::UserDoubleClick(int row) {
    if (!AcceptsUserInput()) return;
    UserClick(row);
    Raise(DblClick);
}

}  // namespace platform
