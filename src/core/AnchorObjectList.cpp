#include "src/core/AnchorObjectList.h"

#include "platform/com/ComError.h"
#include "platform/forms/Form.h"

namespace tessaly {

void AnchorObjectList::SetForm(platform::Form* form) {
    resize_.Reset();
    form_ = form;
    if (form_ != nullptr) resize_ = form_->OnResize([this] { DoAnchors(); });
}

std::shared_ptr<AnchorObject> AnchorObjectList::Item(platform::Control& control) {
    if (const std::int32_t index = IndexOf(control); index > 0) return entries_[static_cast<std::size_t>(index - 1)];
    auto entry = std::make_shared<AnchorObject>();
    entry->SetControl(&control);
    entries_.push_back(entry);
    return entry;
}

std::int32_t AnchorObjectList::IndexOf(const platform::Control& control) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i]->Control() == &control) return static_cast<std::int32_t>(i + 1);
    }
    return 0;
}

void AnchorObjectList::Remove(const platform::Control& control) {
    const std::int32_t index = IndexOf(control);
    if (index == 0) throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
    entries_.erase(entries_.begin() + (index - 1));
}

void AnchorObjectList::SetAnchors() {
    for (const auto& entry : entries_) entry->SetAnchors(0, 0);
}

void AnchorObjectList::DoAnchors() {
    // A copy, so that an entry removed meanwhile still finishes this pass.
    const auto entries = entries_;
    for (const auto& entry : entries) entry->DoAnchors();
}

}  // namespace tessaly
