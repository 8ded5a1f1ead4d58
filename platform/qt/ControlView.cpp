#include "platform/qt/ControlView.h"

#include <QSignalBlocker>
#include <QWidget>

#include "platform/forms/Control.h"
#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

void ControlView::Sync() {
    if (!form_.Following()) return;
    FormView::SyncScope scope(form_);
    QWidget* widget = Widget();
    const QSignalBlocker blocker(widget);
    widget->setGeometry(form_.Scale().ToPixels(control_.Left(), control_.Top(), control_.Width(), control_.Height()));
    widget->setEnabled(control_.Enabled());
    widget->setVisible(control_.Visible());
    // Setting a tooltip posts an event even when it is the same; a list
    // filled line by line syncs once a line.
    const QString tip = ToQString(control_.ToolTipText());
    if (widget->toolTip() != tip) widget->setToolTip(tip);
    SyncContent();
    if (control_.HasFocus() && !widget->hasFocus() && control_.Visible()) widget->setFocus(Qt::OtherFocusReason);
}

void ControlView::User(const std::function<void()>& action) { form_.UserAction(this, action); }

std::unique_ptr<ControlView> MakeControlView(FormView& form, Control& control, QWidget* parent) {
    if (auto* button = dynamic_cast<CommandButton*>(&control)) return MakeButtonView(form, *button, parent);
    if (auto* label = dynamic_cast<Label*>(&control)) return MakeLabelView(form, *label, parent);
    if (auto* frame = dynamic_cast<Frame*>(&control)) return MakeFrameView(form, *frame, parent);
    if (auto* check = dynamic_cast<CheckBox*>(&control)) return MakeCheckBoxView(form, *check, parent);
    if (auto* option = dynamic_cast<OptionButton*>(&control)) return MakeOptionButtonView(form, *option, parent);
    if (auto* text = dynamic_cast<TextBox*>(&control)) return MakeTextBoxView(form, *text, parent);
    if (auto* list = dynamic_cast<ListBox*>(&control)) return MakeListBoxView(form, *list, parent);
    if (auto* combo = dynamic_cast<ComboBox*>(&control)) return MakeComboBoxView(form, *combo, parent);
    if (auto* image = dynamic_cast<Image*>(&control)) return MakeImageView(form, *image, parent);
    if (auto* picture = dynamic_cast<PictureBox*>(&control)) return MakePictureBoxView(form, *picture, parent);
    if (auto* tree = dynamic_cast<TreeView*>(&control)) return MakeTreeView(form, *tree, parent);
    if (auto* rich = dynamic_cast<RichTextBox*>(&control)) return MakeRichTextView(form, *rich, parent);
    return nullptr;
}

}  // namespace platform::qt
