#include <QPushButton>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

class ButtonView : public ControlView {
public:
    ButtonView(FormView& form, CommandButton& button, QWidget* parent)
        : ControlView(form, button), button_(button), widget_(new QPushButton(parent)) {
        QObject::connect(widget_, &QPushButton::clicked, [this] {
            if (!Form().Syncing()) User([this] { button_.UserClick(); });
        });
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override {
        widget_->setText(ToQString(button_.Caption()));
        const QPixmap picture = Form().Pictures().Picture(button_.Picture());
        widget_->setIcon(QIcon(picture));
        if (!picture.isNull()) widget_->setIconSize(picture.size());
    }

private:
    CommandButton& button_;
    QPushButton* widget_;
};

}  // namespace

std::unique_ptr<ControlView> MakeButtonView(FormView& form, CommandButton& button, QWidget* parent) {
    return std::make_unique<ButtonView>(form, button, parent);
}

}  // namespace platform::qt
