#include "platform/data/Row.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform {

Row::Row(std::shared_ptr<const platform::Fields> fields)
    : fields_(std::move(fields)), values_(static_cast<std::size_t>(fields_->FieldCount()), Variant::Null()) {}

void Row::OutOfRange(int index) {
    throw ComError(E_INVALIDARG, "Tessaly.Data", "Field index " + std::to_string(index) + " is out of range");
}

void Row::Reset() {
    for (auto& value : values_) value = Variant::Null();
    oid_ = -1;
    hasOid_ = false;
    shape_ = Geometry();
}

void Row::SetValue(int index, Variant value) {
    if (index < 0 || index >= static_cast<int>(values_.size())) OutOfRange(index);
    values_[static_cast<std::size_t>(index)] = std::move(value);
}

void Row::SetOID(ObjectId oid) {
    oid_ = oid;
    hasOid_ = true;
}

}  // namespace platform
