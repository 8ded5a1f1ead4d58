#pragma once
#include <QAbstractListModel>
#include <functional>
#include <optional>

namespace platform {
class ListControl;
}

namespace platform::qt {

// The lines of a list or combo box as a model over the control's own lines:
// no copy and no item per line, so a list of a million values costs its
// widget nothing per line. Lists grow one AddItem at a time and each AddItem
// syncs the view: the first lines show at once, a long run of added lines is
// taken in once the event loop turns (or at once when the view needs a line
// past those it shows).
class ListLinesModel : public QAbstractListModel {
public:
    // `readable` tells whether the control may be read (its form is loaded
    // and followed).
    ListLinesModel(ListControl& list, std::function<bool()> readable, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Brings the rows in line with the control's lines. Returns true when the
    // rows were emptied and filled again (what the view marked is gone).
    bool Sync();
    // Takes in every line the control holds now.
    void TakeAll();
    // The row whose text is likely the widest: the longest of the lines.
    int WidestRow() const { return widestRow_; }

private:
    void Append(int count);
    void NoteWidest(int from, int to);

    ListControl& list_;
    std::function<bool()> readable_;
    std::optional<unsigned> revision_;
    int rows_ = 0;
    int widestRow_ = -1;
    std::size_t widestLength_ = 0;
    bool flushPending_ = false;
};

}  // namespace platform::qt
