#include "platform/forms/Control.h"

#include "platform/forms/Form.h"
#include "platform/forms/FormsError.h"

namespace platform {

Control::Control(Form& form, std::string name) : form_(form), name_(std::move(name)), container_(&form) {
    form_.Register(this);
}

Control::~Control() { form_.Unregister(this); }

void Control::Touch() { form_.EnsureLoaded(); }

bool Control::EventsOn() const { return !form_.Designing(); }

void Control::Raise(const std::function<void()>& handler) {
    if (handler && EventsOn()) handler();
}

void Control::Changed() { form_.NotifyChanged(this); }

void Control::ResetAll() {
    left_ = top_ = width_ = height_ = 0;
    enabled_ = true;
    visible_ = true;
    toolTip_.clear();
    ResetState();
}

int Control::Left() {
    Touch();
    return left_;
}

int Control::Top() {
    Touch();
    return top_;
}

int Control::Width() {
    Touch();
    return width_;
}

int Control::Height() {
    Touch();
    return height_;
}

void Control::SetLeft(int twips) {
    Touch();
    left_ = twips;
    Changed();
}

void Control::SetTop(int twips) {
    Touch();
    top_ = twips;
    Changed();
}

void Control::SetWidth(int twips) {
    Touch();
    if (twips < 0) throw FormError(formerr::InvalidPropertyValue);
    width_ = twips;
    Changed();
}

void Control::SetHeight(int twips) {
    Touch();
    if (twips < 0) throw FormError(formerr::InvalidPropertyValue);
    height_ = twips;
    Changed();
}

void Control::Move(int left, int top, int width, int height) {
    Touch();
    if (width < 0 || height < 0) throw FormError(formerr::InvalidPropertyValue);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed();
}

platform::Container* Control::Container() {
    Touch();
    return container_;
}

void Control::SetContainer(platform::Container& container) { container_ = &container; }

bool Control::Enabled() {
    Touch();
    return enabled_;
}

void Control::SetEnabled(bool enabled) {
    Touch();
    enabled_ = enabled;
    Changed();
}

bool Control::Visible() {
    Touch();
    return visible_;
}

void Control::SetVisible(bool visible) {
    Touch();
    visible_ = visible;
    Changed();
}

int Control::TabIndex() {
    Touch();
    return form_.TabIndexOf(this);
}

void Control::SetTabIndex(int index) {
    Touch();
    if (index < 0) throw FormError(formerr::InvalidPropertyValue);
    form_.MoveInTabOrder(this, index);
}

std::string Control::ToolTipText() {
    Touch();
    return toolTip_;
}

void Control::SetToolTipText(const std::string& text) {
    Touch();
    toolTip_ = text;
    Changed();
}

bool Control::AcceptsUserInput() {
    if (!form_.AcceptsUserInput() || !visible_ || !enabled_) return false;
    for (platform::Container* c = container_; c != &form_;) {
        auto* frame = dynamic_cast<Control*>(c);
        if (frame == nullptr) break;
        if (!frame->visible_ || !frame->enabled_) return false;
        c = frame->container_;
    }
    return true;
}

void Control::SetFocus() {
    Touch();
    if (!AcceptsUserInput()) throw RuntimeError(vberr::InvalidCall);
    form_.SetFocusTo(this);
    Changed();
}

bool Control::HasFocus() {
    Touch();
    return form_.activeControl_ == this;
}

std::string CaptionedControl::Caption() {
    Touch();
    return caption_;
}

void CaptionedControl::SetCaption(const std::string& caption) {
    Touch();
    caption_ = caption;
    Changed();
}

}  // namespace platform
