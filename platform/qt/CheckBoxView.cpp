#include <QCheckBox>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

// The box shows the control's value only: a click goes to the control, which
// decides the new value (greyed, 2, is shown as partly checked).
class CheckBoxView : public ControlView {
public:
    CheckBoxView(FormView& form, CheckBox& check, QWidget* parent)
        : ControlView(form, check), check_(check), widget_(new QCheckBox(parent)) {
        widget_->setTristate(true);
        QObject::connect(widget_, &QCheckBox::clicked, [this] {
            if (!Form().Syncing()) User([this] { check_.UserClick(); });
        });
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override {
        widget_->setText(ToQString(check_.Caption()));
        switch (check_.Value()) {
        case vbChecked: widget_->setCheckState(Qt::Checked); break;
        case vbGrayed: widget_->setCheckState(Qt::PartiallyChecked); break;
        default: widget_->setCheckState(Qt::Unchecked); break;
        }
    }

private:
    CheckBox& check_;
    QCheckBox* widget_;
};

}  // namespace

std::unique_ptr<ControlView> MakeCheckBoxView(FormView& form, CheckBox& check, QWidget* parent) {
    return std::make_unique<CheckBoxView>(form, check, parent);
}

}  // namespace platform::qt
