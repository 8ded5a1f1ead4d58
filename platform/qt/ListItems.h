#pragma once
#include <QStringList>
#include <functional>

namespace platform::qt {

// Brings a widget's lines in line with the model's, touching as few as it
// can: lines kept from the start stay, the rest are removed and added again
// (lists mostly grow at the end, one AddItem at a time).
// `count` and `text(i)` read the widget; `truncate(n)` keeps its first n
// lines; `append(texts)` adds lines at the end.
void MatchLines(const QStringList& wanted, int count, const std::function<QString(int)>& text,
                const std::function<void(int)>& truncate, const std::function<void(const QStringList&)>& append);

// The model's lines as QStrings.
template <class List>
QStringList ModelLines(List& list) {
    QStringList lines;
    const int count = list.ListCount();
    lines.reserve(count);
    for (int i = 0; i < count; ++i) lines.append(QString::fromStdString(list.List(i)));
    return lines;
}

}  // namespace platform::qt
