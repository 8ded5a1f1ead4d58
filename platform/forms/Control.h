#pragma once
#include <functional>
#include <string>

#include "platform/forms/Container.h"

namespace platform {

class Form;

// One control of a form. Controls are members of their form and live as
// long as it does; their state belongs to the loaded window: any property
// read or write, and any method, first loads an unloaded form (running its
// Form_Load), and unloading throws the state away (the next load starts
// again from the design). Name, Parent and the user-action entry points do
// not load. Geometry is in twips, relative to the container.
class Control {
public:
    Control(Form& form, std::string name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    Form& Parent() const { return form_; }

    int Left();
    int Top();
    int Width();
    int Height();
    void SetLeft(int twips);
    void SetTop(int twips);
    // A negative width or height is refused with error 380.
    void SetWidth(int twips);
    void SetHeight(int twips);
    void Move(int left, int top, int width, int height);

    // The form itself, or the frame that holds the control.
    platform::Container* Container();
    // Containment is part of the design; it survives unloading.
    void SetContainer(platform::Container& container);

    bool Enabled();
    void SetEnabled(bool enabled);
    bool Visible();
    void SetVisible(bool visible);
    std::string ToolTipText();
    void SetToolTipText(const std::string& text);
    // The place in the form's tab order, 0 first. Setting it moves the control
    // there and the others after it one place on (a place past the end is the
    // last); a negative place is refused with error 380.
    int TabIndex();
    void SetTabIndex(int index);

    // Moves the focus here; error 5 when the control or its form cannot
    // take it (hidden or disabled), as the classic runtime does.
    void SetFocus();
    bool HasFocus();

    // True when a user could act on the control now: the form is shown
    // and the control and every frame holding it are visible and enabled.
    bool AcceptsUserInput();

protected:
    // Loads the form if needed. Every accessor calls it first.
    void Touch();
    // Puts the control's own state back to the state before design.
    virtual void ResetState() {}
    // Events fire except while the design layout is applied.
    bool EventsOn() const;
    void Raise(const std::function<void()>& handler);
    // Tells the form's watchers (a renderer) that this control changed.
    void Changed();

private:
    friend class Form;
    void ResetAll();

    Form& form_;
    std::string name_;
    platform::Container* container_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    std::string toolTip_;
};

// A control with a caption (buttons, labels, frames, check and option boxes).
class CaptionedControl : public Control {
public:
    using Control::Control;
    std::string Caption();
    void SetCaption(const std::string& caption);

protected:
    void ResetState() override { caption_.clear(); }

private:
    std::string caption_;
};

}  // namespace platform
