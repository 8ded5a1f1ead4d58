#include "platform/qt/ClickLabel.h"
#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/MouseCodes.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

QColor FromBgr(long color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

class LabelView : public ControlView {
public:
    LabelView(FormView& form, Label& label, QWidget* parent)
        : ControlView(form, label), label_(label), widget_(new ClickLabel(parent)) {
        widget_->setWordWrap(true);
        widget_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget_->setTextFormat(Qt::PlainText);
        widget_->setMouseTracking(true);
        widget_->onClick = [this] { User([this] { label_.UserClick(); }); };
        widget_->onMouseMove = [this](QMouseEvent& event) {
            const QPoint at = event.position().toPoint();
            const int button = ButtonCode(event.buttons());
            const int shift = ShiftCode(event.modifiers());
            const auto x = static_cast<float>(Form().Scale().ToTwipsX(at.x()));
            const auto y = static_cast<float>(Form().Scale().ToTwipsY(at.y()));
            User([&] { label_.UserMouseMove(button, shift, x, y); });
        };
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override {
        widget_->setText(WithoutAccessKeys(label_.Caption()));
        QPalette palette = widget_->parentWidget()->palette();
        const long color = label_.ForeColor();
        // Black is the model's default colour: the theme's text colour shows it.
        if (color != 0) palette.setColor(QPalette::WindowText, FromBgr(color));
        widget_->setPalette(palette);
        QCursor cursor;
        if (PointerCursor(label_.MousePointer(), Form().Pictures().Picture(label_.MouseIcon()), cursor)) {
            widget_->setCursor(cursor);
        } else {
            widget_->unsetCursor();
        }
    }

private:
    Label& label_;
    ClickLabel* widget_;
};

}  // namespace

std::unique_ptr<ControlView> MakeLabelView(FormView& form, Label& label, QWidget* parent) {
    return std::make_unique<LabelView>(form, label, parent);
}

}  // namespace platform::qt
