#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/forms/Signal.h"
#include "src/core/AnchorObject.h"

namespace platform {
class Control;
class Form;
}  // namespace platform

namespace tessaly {

// The anchored controls of one window, applied in registration order at
// each resize of the window it follows. The window owns the list (a field
// set in its load handler); the list only listens to the window.
//
// Protocol, in the window's load handler: Item(control)->SetAnchors(x, y)
// for each control (a frame before the controls inside it), then SetForm.
class AnchorObjectList {
public:
    AnchorObjectList() = default;
    // The resize subscription refers to this object: it stays where it was made.
    AnchorObjectList(const AnchorObjectList&) = delete;
    AnchorObjectList& operator=(const AnchorObjectList&) = delete;

    // Follows `form`'s resizes (none stops following).
    void SetForm(platform::Form* form);
    platform::Form* Form() const { return form_; }
    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
    // The control's entry, appended as a fresh one (types 0, values 0) if
    // it has none yet.
    std::shared_ptr<AnchorObject> Item(platform::Control& control);
    // 1-based position of the control's entry by identity; 0 when none.
    std::int32_t IndexOf(const platform::Control& control) const;
    // Error 9 when the control has no entry.
    void Remove(const platform::Control& control);
    // Every entry becomes type 0 on both axes, captured afresh.
    void SetAnchors();
    void DoAnchors();

private:
    std::vector<std::shared_ptr<AnchorObject>> entries_;
    platform::Form* form_ = nullptr;
    platform::Subscription resize_;
};

}  // namespace tessaly
