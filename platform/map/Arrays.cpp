#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/StringArray.h"
#include "platform/map/VariantArray.h"

namespace platform {

namespace {
void CheckIndex(std::int32_t index, std::size_t count, const char* source) {
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        throw ComError(E_INVALIDARG, source, "The index is outside the array.");
}
}  // namespace

const std::string& StringArray::Element(std::int32_t index) const {
    CheckIndex(index, items_.size(), "StringArray");
    return items_[static_cast<std::size_t>(index)];
}

const std::shared_ptr<HostObject>& VariantArray::Element(std::int32_t index) const {
    CheckIndex(index, items_.size(), "VariantArray");
    return items_[static_cast<std::size_t>(index)];
}

}  // namespace platform
