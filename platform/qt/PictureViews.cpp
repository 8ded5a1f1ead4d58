#include <QFrame>

#include "platform/qt/ClickLabel.h"
#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/Pictures.h"

namespace platform::qt {
namespace {

// An image control: the picture at its natural size from the top-left corner.
class ImageView : public ControlView {
public:
    ImageView(FormView& form, Image& image, QWidget* parent)
        : ControlView(form, image), image_(image), widget_(new ClickLabel(parent)) {
        widget_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget_->onClick = [this] { User([this] { image_.UserClick(); }); };
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override { widget_->setPixmap(Form().Pictures().Picture(image_.Picture())); }

private:
    Image& image_;
    ClickLabel* widget_;
};

// A picture box: a sunken box holding its picture, with its own pointer.
class PictureBoxView : public ControlView {
public:
    PictureBoxView(FormView& form, PictureBox& picture, QWidget* parent)
        : ControlView(form, picture), picture_(picture), widget_(new ClickLabel(parent)) {
        widget_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        widget_->onClick = [this] { User([this] { picture_.UserClick(); }); };
    }
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override {
        widget_->setPixmap(Form().Pictures().Picture(picture_.Picture()));
        QCursor cursor;
        if (PointerCursor(picture_.MousePointer(), Form().Pictures().Picture(picture_.MouseIcon()), cursor)) {
            widget_->setCursor(cursor);
        } else {
            widget_->unsetCursor();
        }
    }

private:
    PictureBox& picture_;
    ClickLabel* widget_;
};

}  // namespace

std::unique_ptr<ControlView> MakeImageView(FormView& form, Image& image, QWidget* parent) {
    return std::make_unique<ImageView>(form, image, parent);
}

std::unique_ptr<ControlView> MakePictureBoxView(FormView& form, PictureBox& picture, QWidget* parent) {
    return std::make_unique<PictureBoxView>(form, picture, parent);
}

}  // namespace platform::qt
