#pragma once
#include <cstdint>

namespace tessaly {

// One captured value of one axis of an anchored control. Only the X and Y
// records of an entry use AnchorType; the others keep it at 0.
struct Anchor {
    std::int32_t AnchorType = 0;
    float Value = 0;
};

}  // namespace tessaly
