#include <QGroupBox>

#include "platform/qt/ControlViews.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

// A frame's widget is also the parent of the controls it holds, whose
// positions count from its own top-left corner.
class FrameView : public ControlView {
public:
    FrameView(FormView& form, Frame& frame, QWidget* parent)
        : ControlView(form, frame), frame_(frame), widget_(new QGroupBox(parent)) {}
    QWidget* Widget() const override { return widget_; }

protected:
    void SyncContent() override { widget_->setTitle(ToQString(frame_.Caption())); }

private:
    Frame& frame_;
    QGroupBox* widget_;
};

}  // namespace

std::unique_ptr<ControlView> MakeFrameView(FormView& form, Frame& frame, QWidget* parent) {
    return std::make_unique<FrameView>(form, frame, parent);
}

}  // namespace platform::qt
