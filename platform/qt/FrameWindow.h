#pragma once
#include <QWidget>

namespace platform {
class Form;
}

namespace platform::qt {

class FormView;

// The window of a host modeless frame: a tool window holding the form's view
// and sized to it. Its title is the frame's caption; its close box hides the
// frame (the form stays loaded). Resizing it resizes the frame, and through
// it the form.
class FrameWindow : public QWidget {
public:
    FrameWindow(FormView* view, QWidget* parent);
    FormView* View() const { return view_; }
    // Takes the frame's caption.
    void SyncCaption();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FormView* view_;
};

}  // namespace platform::qt
