#include "platform/data/DataStatistics.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform {
namespace {

// The distinct values in the order first met, found through an open-addressing
// table of slots, each the position of a value in that list beside 32 bits of
// its hash: a probe reads the value itself only when those bits agree, and the
// table grows without hashing anything again.
class DistinctValues {
public:
    explicit DistinctValues(std::vector<Variant>& values) : values_(values), slots_(kFirstSlots, kFree) {}

    void Add(const Variant& value) {
        const auto tag = static_cast<std::uint32_t>(VariantHash{}(value) >> 32);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = tag & mask;; slot = (slot + 1) & mask) {
            const std::uint64_t held = slots_[slot];
            if (held == kFree) {
                slots_[slot] = (std::uint64_t{tag} << 32) | values_.size();
                values_.push_back(value);
                if (values_.size() * 2 > slots_.size()) Grow();
                return;
            }
            if (held >> 32 == tag && VariantKeyEqual{}(values_[held & 0xFFFFFFFFu], value)) return;
        }
    }

private:
    static constexpr std::uint64_t kFree = UINT64_MAX;
    static constexpr std::size_t kFirstSlots = 64;

    void Grow() {
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

    std::vector<Variant>& values_;
    std::vector<std::uint64_t> slots_;
};

}  // namespace

Variant EnumVariant::Next() {
    if (!values_ || next_ >= values_->size()) return Variant();
    return (*values_)[next_++];
}

void DataStatistics::Field(std::string name) {
    field_ = std::move(name);
    gathered_ = false;
}

void DataStatistics::Cursor(std::shared_ptr<platform::Cursor> cursor) {
    cursor_ = std::move(cursor);
    gathered_ = false;
}

void DataStatistics::Gather() {
    if (gathered_) return;
    if (!cursor_) throw ComError(E_POINTER, "Tessaly.Data", "DataStatistics has no cursor");
    const int index = cursor_->FindField(field_);
    if (index < 0) throw ComError(E_INVALIDARG, "Tessaly.Data", "Field not found: " + field_);
    auto values = std::make_shared<std::vector<Variant>>();
    DistinctValues distinct(*values);
    while (auto row = cursor_->NextRow()) {
        const Variant& value = row->Value(index);
        if (value.IsNull() || value.IsEmpty()) continue;
        distinct.Add(value);
    }
    values_ = std::move(values);
    gathered_ = true;
}

std::shared_ptr<EnumVariant> DataStatistics::UniqueValues() {
    Gather();
    return std::make_shared<EnumVariant>(values_);
}

std::int32_t DataStatistics::UniqueValueCount() {
    Gather();
    return static_cast<std::int32_t>(values_->size());
}

}  // namespace platform
