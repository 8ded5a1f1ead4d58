#include "platform/data/DataStatistics.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/VariantIndex.h"

namespace platform {

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
    VariantIndex distinct(*values);
    while (auto row = cursor_->NextRow()) {
        const Variant& value = row->Value(index);
        if (value.IsNull() || value.IsEmpty()) continue;
        distinct.Insert(value);
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
