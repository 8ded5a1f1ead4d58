#pragma once
#include <cstdint>

#include "src/core/Anchor.h"

namespace platform {
class Control;
}

namespace tessaly {

// One anchored control: how it follows its container's size on each axis.
//
// Types (horizontal shown; the vertical axis is the same with Top, Height):
//   0 position and size scale      1 position fixed, size scales
//   2 fixed                        3 position and far margin fixed (stretches)
//   4 centre keeps its relative place, size fixed
//   5 keeps its distance to the far edge, size fixed
//   6 size scales, far margin fixed
// Any other type captures and applies nothing on that axis.
//
// The entry borrows the control; the control must outlive it (both belong
// to the same window).
class AnchorObject {
public:
    void SetControl(platform::Control* control) { control_ = control; }
    platform::Control* Control() const { return control_; }
    Anchor& X() { return x_; }
    Anchor& Y() { return y_; }
    Anchor& X2() { return x2_; }
    Anchor& Y2() { return y2_; }

    // Stores the types and captures the control's geometry against its
    // container's present size. Errors (no container, a container of zero
    // extent for a type that divides by it) go to the caller.
    void SetAnchors(std::int32_t XType, std::int32_t YType);
    // Places the control for its container's present size. Each assignment
    // is tried on its own: one the control refuses (a negative width) is
    // skipped and the rest still run.
    void DoAnchors();

private:
    Anchor x_, y_, x2_, y2_, w_, h_;
    platform::Control* control_ = nullptr;
};

}  // namespace tessaly
