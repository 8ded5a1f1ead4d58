#include "platform/qt/ListItems.h"

#include <QTimer>

#include "platform/forms/ListControl.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {
// Up to this many rows a view takes each added line at once.
constexpr int kShownAtOnce = 1000;
}  // namespace

ListLinesModel::ListLinesModel(ListControl& list, std::function<bool()> readable, QObject* parent)
    : QAbstractListModel(parent), list_(list), readable_(std::move(readable)) {}

int ListLinesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ListLinesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (!index.isValid() || index.row() >= rows_ || !readable_() || index.row() >= list_.ListCount()) return {};
    return ToQString(list_.ShownLine(index.row()));
}

bool ListLinesModel::Sync() {
    const int count = list_.ListCount();
    const bool refill = revision_ != list_.LinesRevision() || count < rows_;
    revision_ = list_.LinesRevision();
    if (refill) {
        beginResetModel();
        rows_ = 0;
        widestRow_ = -1;
        widestLength_ = 0;
        NoteWidest(0, count);
        rows_ = count;
        endResetModel();
        return true;
    }
    if (count <= rows_) return false;
    if (rows_ < kShownAtOnce) {
        Append(count);
    } else if (!flushPending_) {
        flushPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (flushPending_ && readable_()) TakeAll();
        });
    }
    return false;
}

void ListLinesModel::TakeAll() {
    flushPending_ = false;
    const int count = list_.ListCount();
    if (revision_ == list_.LinesRevision() && count > rows_) Append(count);
}

void ListLinesModel::Append(int count) {
    beginInsertRows({}, rows_, count - 1);
    NoteWidest(rows_, count);
    rows_ = count;
    endInsertRows();
}

void ListLinesModel::NoteWidest(int from, int to) {
    for (int i = from; i < to; ++i) {
        const std::size_t length = list_.ShownLine(i).size();
        if (widestRow_ < 0 || length > widestLength_) {
            widestRow_ = i;
            widestLength_ = length;
        }
    }
}

}  // namespace platform::qt
