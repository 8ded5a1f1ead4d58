#pragma once
#include <QStringList>
#include <functional>
#include <optional>

namespace platform {
class ListControl;
}

namespace platform::qt {

// What a list widget shows of a list or combo box's lines. Lists grow one
// AddItem at a time, and each AddItem shows at once: a widget that shows the
// lines of the control's current lines revision only takes the new lines at
// its end, so a fill of n lines costs O(n), not O(n^2).
class ShownLines {
public:
    // Brings the widget's lines in line with the control's. `shown` is the
    // number of lines the widget holds; `clear()` empties it; `append(texts)`
    // adds lines at its end. Returns true when the widget was emptied and
    // filled again (what it marked and chose is gone).
    bool Sync(ListControl& list, int shown, const std::function<void()>& clear,
              const std::function<void(const QStringList&)>& append);

private:
    std::optional<unsigned> revision_;
};

}  // namespace platform::qt
