#include "platform/qt/ListItems.h"

#include "platform/forms/ListControl.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

bool ShownLines::Sync(ListControl& list, int shown, const std::function<void()>& clear,
                      const std::function<void(const QStringList&)>& append) {
    const int count = list.ListCount();
    const bool refill = revision_ != list.LinesRevision() || count < shown;
    if (refill && shown > 0) {
        clear();
        shown = 0;
    }
    revision_ = list.LinesRevision();
    if (count > shown) {
        QStringList lines;
        lines.reserve(count - shown);
        for (int i = shown; i < count; ++i) lines.append(ToQString(list.List(i)));
        append(lines);
    }
    return refill;
}

}  // namespace platform::qt
