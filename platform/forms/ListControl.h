#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform {

// What list boxes and combo boxes share: the lines and the chosen position.
class ListControl : public Control {
public:
    using Control::Control;
    std::function<void()> Click;

    void AddItem(const std::string& text);
    // AddItem of each text in order, taking the texts over: a million lines
    // are never held twice.
    void AddItems(std::vector<std::string>&& texts);
    // Empties the list; ListIndex becomes -1 with no Click.
    void Clear();
    int ListCount();
    // The line at `index`; "" past either end (-1 included); error 381 below -1.
    std::string List(int index);
    int ListIndex();
    // A valid position runs Click; -1 chooses nothing and runs nothing;
    // anything else is error 380.
    void SetListIndex(int index);

    // Changes whenever the lines change other than by AddItem at the end
    // (Clear, a reset of the control): a view that showed the lines at this
    // revision only needs the lines past those it shows. Reading it does not
    // load the form.
    unsigned LinesRevision() const { return linesRevision_; }
    // The line at a valid `index`, for a view that shows the loaded list's
    // lines: no copy, and it does not load the form.
    const std::string& ShownLine(int index) const { return items_[static_cast<std::size_t>(index)]; }

protected:
    void ResetState() override;
    virtual void OnCleared() {}
    virtual void OnIndexSet(int /*index*/) {}
    const std::vector<std::string>& Items() const { return items_; }
    void SetIndexSilently(int index) { listIndex_ = index; }

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
    unsigned linesRevision_ = 0;
};

}  // namespace platform
