#include <QItemSelection>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>
#include <functional>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/ListItems.h"

namespace platform::qt {
namespace {

// A list widget that leaves choosing to the control: presses, double
// clicks and the keys that choose a line are reported, and the widget shows
// only what the control then holds.
class ListWidget : public QListView {
public:
    using QListView::QListView;

    std::function<void(int row)> onPress;
    std::function<void(int row)> onDoubleClick;
    std::function<void(int row)> onKeyChoose;  // the line the key moves to
    std::function<void(int row)> onKeyToggle;  // Space on the current line

    // Typing a line's first letters chooses it as the list does, through the
    // control, instead of marking it in the widget alone.
    void keyboardSearch(const QString& search) override {
        const int before = currentIndex().row();
        {
            const QSignalBlocker blocker(this);
            const QItemSelection marks = selectionModel()->selection();
            QListView::keyboardSearch(search);
            selectionModel()->select(marks, QItemSelectionModel::ClearAndSelect);
        }
        const int found = currentIndex().row();
        if (found >= 0 && found != before) onKeyChoose(found);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        setFocus(Qt::MouseFocusReason);
        if (event->button() != Qt::LeftButton) return;
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid()) onPress(index.row());
    }
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent*) override {}
    // The first press of a double click has made its click already.
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        const QModelIndex index = indexAt(event->position().toPoint());
        onDoubleClick(index.isValid() ? index.row() : -1);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int rows = model()->rowCount();
        const int current = currentIndex().row();
        const int page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)));
        int target = -1;
        switch (event->key()) {
        case Qt::Key_Up: target = current - 1; break;
        case Qt::Key_Down: target = current + 1; break;
        case Qt::Key_Home: target = 0; break;
        case Qt::Key_End: target = rows - 1; break;
        case Qt::Key_PageUp: target = current - page; break;
        case Qt::Key_PageDown: target = current + page; break;
        case Qt::Key_Space:
            if (current >= 0) onKeyToggle(current);
            return;
        default:
            // Marking every line is not something the list does.
            if (event->matches(QKeySequence::SelectAll)) return;
            QListView::keyPressEvent(event);
            return;
        }
        if (rows == 0) return;
        target = std::clamp(target, 0, rows - 1);
        if (target != current) onKeyChoose(target);
    }
};

// Every line is as high, and the lines as wide, as the widest line would be
// drawn: the view lays out a million lines without asking each its size.
class UniformLines : public QStyledItemDelegate {
public:
    UniformLines(const ListLinesModel& lines, QObject* parent) : QStyledItemDelegate(parent), lines_(lines) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int widest = lines_.WidestRow();
        return QStyledItemDelegate::sizeHint(option, widest >= 0 ? lines_.index(widest) : index);
    }

private:
    const ListLinesModel& lines_;
};

class ListBoxView : public ControlView {
public:
    ListBoxView(FormView& form, ListBox& list, QWidget* parent)
        : ControlView(form, list), list_(list), widget_(new ListWidget(parent)),
          lines_(new ListLinesModel(list, [&form] { return form.Following(); }, widget_)) {
        widget_->setModel(lines_);
        widget_->setItemDelegate(new UniformLines(*lines_, widget_));
        widget_->setUniformItemSizes(true);
        widget_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        widget_->onPress = [this](int row) { User([this, row] { list_.UserClick(row); }); };
        // The press before the double click ran the click; only DblClick is left.
        widget_->onDoubleClick = [this](int row) {
            User([this, row] {
                if (row < 0) {
                    list_.UserDoubleClick(-1);
                } else if (list_.AcceptsUserInput() && list_.DblClick) {
                    list_.DblClick();
                }
            });
        };
        widget_->onKeyChoose = [this](int row) {
            if (multi_) {
                const QSignalBlocker blocker(widget_);
                widget_->selectionModel()->setCurrentIndex(lines_->index(row), QItemSelectionModel::NoUpdate);
            } else {
                User([this, row] { list_.UserClick(row); });
            }
        };
        widget_->onKeyToggle = [this](int row) {
            if (multi_) User([this, row] { list_.UserClick(row); });
        };
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override {
        const bool wasMulti = multi_;
        multi_ = list_.MultiSelect() != vbMultiSelectNone;
        const bool refilled = lines_->Sync();
        // A line the view does not hold yet cannot be marked or chosen.
        const int index = list_.ListIndex();
        if (index >= lines_->rowCount() || (multi_ && list_.MarksRevision() != shownMarks_)) lines_->TakeAll();

        // The marks are drawn as the widget's selection, set here only. Added
        // lines come unmarked and leave ListIndex alone: a single-selection
        // list marks its line again only when the chosen line changed; a
        // multi-selection list looks at every row only when a mark changed.
        if (refilled || multi_ != wasMulti) {
            widget_->setSelectionMode(multi_ ? QAbstractItemView::MultiSelection
                                             : QAbstractItemView::SingleSelection);
        }
        QItemSelectionModel* marks = widget_->selectionModel();
        if (!multi_ && (refilled || multi_ != wasMulti || index != shownIndex_)) {
            const QModelIndex chosen = lines_->index(index);
            const QModelIndexList shown = marks->selectedIndexes();
            if (!chosen.isValid() && !shown.isEmpty()) marks->clearSelection();
            if (chosen.isValid() && shown != QModelIndexList{chosen})
                marks->select(chosen, QItemSelectionModel::ClearAndSelect);
        } else if (multi_ && (refilled || multi_ != wasMulti || list_.MarksRevision() != shownMarks_)) {
            marks->select(MarkedRuns(), QItemSelectionModel::ClearAndSelect);
        }
        shownMarks_ = list_.MarksRevision();

        if (index >= 0 && index < lines_->rowCount()) {
            marks->setCurrentIndex(lines_->index(index), QItemSelectionModel::NoUpdate);
            if (index != shownIndex_) widget_->scrollTo(lines_->index(index));
        } else if (widget_->currentIndex().row() >= lines_->rowCount()) {
            marks->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
        }
        shownIndex_ = index;
    }

private:
    // The marked lines, as runs of neighbouring rows.
    QItemSelection MarkedRuns() const {
        QItemSelection runs;
        const int rows = lines_->rowCount();
        for (int i = 0; i < rows; ++i) {
            if (!list_.Selected(i)) continue;
            int last = i;
            while (last + 1 < rows && list_.Selected(last + 1)) ++last;
            runs.select(lines_->index(i), lines_->index(last));
            i = last;
        }
        return runs;
    }

    ListBox& list_;
    ListWidget* widget_;
    ListLinesModel* lines_;
    bool multi_ = false;
    int shownIndex_ = -1;
    unsigned shownMarks_ = 0;
};

}  // namespace

std::unique_ptr<ControlView> MakeListBoxView(FormView& form, ListBox& list, QWidget* parent) {
    return std::make_unique<ListBoxView>(form, list, parent);
}

}  // namespace platform::qt
