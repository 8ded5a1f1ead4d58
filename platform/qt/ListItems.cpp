#include "platform/qt/ListItems.h"

namespace platform::qt {

void MatchLines(const QStringList& wanted, int count, const std::function<QString(int)>& text,
                const std::function<void(int)>& truncate, const std::function<void(const QStringList&)>& append) {
    int kept = 0;
    while (kept < count && kept < wanted.size() && text(kept) == wanted[kept]) ++kept;
    if (kept < count) truncate(kept);
    if (kept < wanted.size()) append(wanted.mid(kept));
}

}  // namespace platform::qt
