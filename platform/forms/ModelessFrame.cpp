#include "platform/forms/ModelessFrame.h"

#include "platform/com/ComError.h"
#include "platform/forms/Form.h"

namespace platform {

// The form and its frame point at each other; whichever ends first
// clears the other's pointer (a form may be part-way through its own end).
ModelessFrame::~ModelessFrame() {
    if (formPtr_ != nullptr && formPtr_->hostFrame_ == this) formPtr_->hostFrame_ = nullptr;
}

void ModelessFrame::Create(const std::shared_ptr<Form>& form) {
    if (!form) throw RuntimeError(vberr::ObjectNotSet);
    if (formPtr_ != nullptr && formPtr_->hostFrame_ == this) formPtr_->hostFrame_ = nullptr;
    form->Load();
    form_ = form;
    formPtr_ = form.get();
    form->hostFrame_ = this;
    width_ = form->Width() / kTwipsPerPixel;
    height_ = form->Height() / kTwipsPerPixel;
}

Form* ModelessFrame::WrappedForm() const { return formPtr_; }

void ModelessFrame::FormGone(Form& form) {
    if (formPtr_ == &form) formPtr_ = nullptr;
}

void ModelessFrame::SetVisible(bool visible) {
    auto form = form_.lock();
    if (!form) throw RuntimeError(vberr::ObjectNotSet);
    if (visible) {
        visible_ = true;
        keepAlive_ = form;
        form->Show(vbModeless);
    } else {
        form->Hide();
        FormHidden();
        // `form` may be the last hold on the form, and the form may own this
        // frame: nothing may touch the frame after this point.
    }
}

void ModelessFrame::FormHidden() {
    visible_ = false;
    std::shared_ptr<Form> release = std::move(keepAlive_);
}

void ModelessFrame::SetWidth(int pixels) {
    width_ = pixels;
    if (auto form = form_.lock()) form->SetWidth(pixels * kTwipsPerPixel);
}

void ModelessFrame::SetHeight(int pixels) {
    height_ = pixels;
    if (auto form = form_.lock()) form->SetHeight(pixels * kTwipsPerPixel);
}

}  // namespace platform
