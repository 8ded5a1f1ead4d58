#include <QRadioButton>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

// The control keeps its group exclusive (one group per container); the
// button only shows its value.
class OptionButtonView : public ControlView {
public:
    OptionButtonView(FormView& form, OptionButton& option, QWidget* parent)
        : ControlView(form, option), option_(option), widget_(new QRadioButton(parent)) {
        widget_->setAutoExclusive(false);
        QObject::connect(widget_, &QRadioButton::clicked, [this] {
            if (!Form().Syncing()) User([this] { option_.UserClick(); });
        });
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override {
        widget_->setText(ToQString(option_.Caption()));
        widget_->setChecked(option_.Value());
    }

private:
    OptionButton& option_;
    QRadioButton* widget_;
};

}  // namespace

std::unique_ptr<ControlView> MakeOptionButtonView(FormView& form, OptionButton& option, QWidget* parent) {
    return std::make_unique<OptionButtonView>(form, option, parent);
}

}  // namespace platform::qt
