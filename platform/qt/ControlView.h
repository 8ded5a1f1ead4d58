#pragma once
#include <functional>
#include <memory>

class QWidget;

namespace platform {
class Control;
}

namespace platform::qt {

class FormView;

// The widget of one control of a shown form. It shows the control's state
// and hands what the user does to the control's user-action entry points.
// A view lives as long as its form view; it touches the control only while
// the form view follows a loaded form.
class ControlView {
public:
    ControlView(FormView& form, Control& control) : form_(form), control_(control) {}
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    Control& Model() const { return control_; }
    virtual QWidget* Widget() const = 0;

    // Brings the widget in line with the control: geometry, enabled and
    // visible states, tooltip, focus and the kind's own content.
    void Sync();
    // An image list of the form changed.
    virtual void ImagesChanged() {}

protected:
    virtual void SyncContent() = 0;
    // Runs what the user did, then shows the control's state again (the
    // control may have refused or changed it).
    void User(const std::function<void()>& action);
    FormView& Form() const { return form_; }

private:
    FormView& form_;
    Control& control_;
};

// The view of a control, by its kind; none for controls that are not shown
// (image lists). `parent` is the widget of the control's container.
std::unique_ptr<ControlView> MakeControlView(FormView& form, Control& control, QWidget* parent);

}  // namespace platform::qt
