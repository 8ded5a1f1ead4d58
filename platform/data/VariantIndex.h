#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/data/Variant.h"

namespace platform {

// Finds each distinct value in a list that holds it once, in the order first
// met: an open-addressing table of slots, each the position of a value in that
// list beside 32 bits of its hash (VariantHash), so that a probe reads the
// value itself (VariantKeyEqual) only when those bits agree, and the table
// grows without hashing anything again. The list is the caller's and only
// grows through Insert.
class VariantIndex {
public:
    explicit VariantIndex(std::vector<Variant>& values);

    // The position of `value` in the list, and whether it was added there (at the end).
    std::pair<std::uint32_t, bool> Insert(const Variant& value);

private:
    void Grow();

    std::vector<Variant>& values_;
    std::vector<std::uint64_t> slots_;
};

}  // namespace platform
