#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/ListControl.h"

namespace platform {

inline constexpr int vbMultiSelectNone = 0;
inline constexpr int vbMultiSelectSimple = 1;
inline constexpr int vbMultiSelectExtended = 2;

class ListBox : public ListControl {
public:
    using ListControl::ListControl;
    std::function<void()> DblClick;

    int MultiSelect();
    void SetMultiSelect(int mode);
    // Whether line `index` is marked; error 381 outside the list. In a
    // single-selection list the marked line is the ListIndex one.
    bool Selected(int index);
    // Setting a mark from code runs Click, as the runtime does.
    void SetSelected(int index, bool selected);
    // The text of the chosen line, "" when none.
    std::string Text();
    // Changes whenever a multi-selection mark may have changed; the marks of
    // a single-selection list follow ListIndex instead. Reading it does not
    // load the form.
    unsigned MarksRevision() const { return marksRevision_; }

    // A click on line `row`: it becomes the chosen line (a multi-selection
    // list toggles its mark) and Click runs, every time.
    void UserClick(int row);
    // A double click: the click on the row first, then DblClick. A row of
    // -1 is the empty area below the lines: only DblClick runs.
    void UserDoubleClick(int row);

protected:
    void ResetState() override;
    void OnCleared() override {
        marks_.clear();
        ++marksRevision_;
    }
    void OnIndexSet(int index) override;

private:
    void CheckIndex(int index);

    int multiSelect_ = vbMultiSelectNone;
    std::vector<bool> marks_;
    unsigned marksRevision_ = 0;
};

}  // namespace platform
