#include "platform/data/VariantIndex.h"

namespace platform {
namespace {

constexpr std::uint64_t kFree = UINT64_MAX;
constexpr std::size_t kFirstSlots = 64;

}  // namespace

VariantIndex::VariantIndex(std::vector<Variant>& values) : values_(values), slots_(kFirstSlots, kFree) {}

std::pair<std::uint32_t, bool> VariantIndex::Insert(const Variant& value) {
    const auto tag = static_cast<std::uint32_t>(VariantHash{}(value) >> 32);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = tag & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t held = slots_[slot];
        if (held == kFree) {
            const auto position = static_cast<std::uint32_t>(values_.size());
            slots_[slot] = (std::uint64_t{tag} << 32) | position;
            values_.push_back(value);
            if (values_.size() * 2 > slots_.size()) Grow();
            return {position, true};
        }
        const auto position = static_cast<std::uint32_t>(held & 0xFFFFFFFFu);
        if (held >> 32 == tag && VariantKeyEqual{}(values_[position], value)) return {position, false};
    }
}

void VariantIndex::Grow() {
    std::vector<std::uint64_t> slots(slots_.size() * 2, kFree);
    const std::size_t mask = slots.size() - 1;
    for (const std::uint64_t held : slots_) {
        if (held == kFree) continue;
        std::size_t slot = (held >> 32) & mask;
        while (slots[slot] != kFree) slot = (slot + 1) & mask;
        slots[slot] = held;
    }
    slots_ = std::move(slots);
}

}  // namespace platform
