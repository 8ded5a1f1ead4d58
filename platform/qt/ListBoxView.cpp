#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
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
class ListWidget : public QListWidget {
public:
    using QListWidget::QListWidget;

    std::function<void(int row)> onPress;
    std::function<void(int row)> onDoubleClick;
    std::function<void(int row)> onKeyChoose;  // the line the key moves to
    std::function<void(int row)> onKeyToggle;  // Space on the current line

    // Typing a line's first letters chooses it as the list does, through the
    // control, instead of marking it in the widget alone.
    void keyboardSearch(const QString& search) override {
        const int before = currentRow();
        {
            const QSignalBlocker blocker(this);
            const QItemSelection marks = selectionModel()->selection();
            QListWidget::keyboardSearch(search);
            selectionModel()->select(marks, QItemSelectionModel::ClearAndSelect);
        }
        const int found = currentRow();
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
        const int rows = count();
        const int current = currentRow();
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
            QListWidget::keyPressEvent(event);
            return;
        }
        if (rows == 0) return;
        target = std::clamp(target, 0, rows - 1);
        if (target != current) onKeyChoose(target);
    }
};

class ListBoxView : public ControlView {
public:
    ListBoxView(FormView& form, ListBox& list, QWidget* parent)
        : ControlView(form, list), list_(list), widget_(new ListWidget(parent)) {
        // A list of a million values shows its first lines at once and lays out
        // the rest a batch at a time, the window answering in between.
        widget_->setLayoutMode(QListView::Batched);
        widget_->setBatchSize(1000);
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
                widget_->setCurrentRow(row, QItemSelectionModel::NoUpdate);
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
        const bool refilled = lines_.Sync(
            list_, widget_->count(), [this] { widget_->clear(); },
            [this](const QStringList& lines) { widget_->addItems(lines); });

        // The marks are drawn as the widget's selection, set here only. Added
        // lines come unmarked and leave ListIndex alone: a single-selection
        // list fixes only the rows the widget marks and the chosen one; a
        // multi-selection list looks at every row only when a mark changed.
        if (refilled || multi_ != wasMulti) {
            widget_->setSelectionMode(multi_ ? QAbstractItemView::MultiSelection
                                             : QAbstractItemView::SingleSelection);
        }
        if (!multi_) {
            MarkChosenRow();
        } else if (refilled || multi_ != wasMulti || list_.MarksRevision() != shownMarks_) {
            for (int i = 0; i < widget_->count(); ++i) {
                const bool marked = list_.Selected(i);
                if (widget_->item(i)->isSelected() != marked) widget_->item(i)->setSelected(marked);
            }
        }
        shownMarks_ = list_.MarksRevision();

        const int index = list_.ListIndex();
        if (index >= 0 && index < widget_->count()) {
            widget_->setCurrentRow(index, QItemSelectionModel::NoUpdate);
            if (index != shownIndex_) ScrollTo(widget_->item(index));
        } else if (widget_->currentRow() >= widget_->count()) {
            widget_->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
        }
        shownIndex_ = index;
    }

private:
    // A line the batches have not reached has no place to scroll to yet: the
    // rest of the list is laid out now, once, so the chosen line shows.
    void ScrollTo(QListWidgetItem* item) {
        if (widget_->visualItemRect(item).isEmpty()) {
            widget_->setLayoutMode(QListView::SinglePass);
            widget_->doItemsLayout();
            widget_->setLayoutMode(QListView::Batched);
        }
        widget_->scrollToItem(item);
    }

    void MarkChosenRow() {
        const int index = list_.ListIndex();
        if (widget_->selectionModel()->hasSelection()) {
            for (const QModelIndex& row : widget_->selectionModel()->selectedIndexes()) {
                if (row.row() != index) widget_->item(row.row())->setSelected(false);
            }
        }
        if (index >= 0 && index < widget_->count() && !widget_->item(index)->isSelected())
            widget_->item(index)->setSelected(true);
    }

    ListBox& list_;
    ListWidget* widget_;
    ShownLines lines_;
    bool multi_ = false;
    int shownIndex_ = -1;
    unsigned shownMarks_ = 0;
};

}  // namespace

std::unique_ptr<ControlView> MakeListBoxView(FormView& form, ListBox& list, QWidget* parent) {
    return std::make_unique<ListBoxView>(form, list, parent);
}

}  // namespace platform::qt
