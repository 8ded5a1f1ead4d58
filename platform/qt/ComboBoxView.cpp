#include <QComboBox>
#include <QLineEdit>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/ListItems.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

// A drop-down list, or a drop-down combo with an edit part (the style is
// fixed at design). Picking a line goes to the control; typing in the edit
// part sets its text, which runs Change.
class ComboBoxView : public ControlView {
public:
    ComboBoxView(FormView& form, ComboBox& combo, QWidget* parent)
        : ControlView(form, combo), combo_(combo), widget_(new QComboBox(parent)),
          lines_(new ListLinesModel(combo, [&form] { return form.Following(); }, widget_)),
          editable_(combo.Style() == vbComboDropdown) {
        widget_->setModel(lines_);
        widget_->setEditable(editable_);
        widget_->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(widget_, &QComboBox::activated, [this](int row) {
            if (!Form().Syncing()) User([this, row] { combo_.UserSelect(row); });
        });
        if (editable_) {
            QObject::connect(widget_->lineEdit(), &QLineEdit::textEdited, [this](const QString& typed) {
                if (Form().Syncing()) return;
                User([this, typed] {
                    if (combo_.AcceptsUserInput()) combo_.SetText(ToStdString(typed));
                });
            });
        }
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override {
        lines_->Sync();
        const int index = combo_.ListIndex();
        if (index >= lines_->rowCount()) lines_->TakeAll();
        if (widget_->currentIndex() != index) widget_->setCurrentIndex(index);
        if (editable_) {
            const QString text = ToQString(combo_.Text());
            if (widget_->currentText() != text) widget_->setEditText(text);
        }
    }

private:
    ComboBox& combo_;
    QComboBox* widget_;
    ListLinesModel* lines_;
    const bool editable_;
};

}  // namespace

std::unique_ptr<ControlView> MakeComboBoxView(FormView& form, ComboBox& combo, QWidget* parent) {
    return std::make_unique<ComboBoxView>(form, combo, parent);
}

}  // namespace platform::qt
