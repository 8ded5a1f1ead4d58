#include "platform/data/Field.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/TextCompare.h"

namespace platform {

Field::Field(std::string name, int type, int length, std::string aliasName)
    : name_(std::move(name)), alias_(aliasName.empty() ? name_ : std::move(aliasName)), type_(type), length_(length) {}

Fields::Fields(std::vector<std::shared_ptr<const platform::Field>> fields) : fields_(std::move(fields)) {}

const std::shared_ptr<const platform::Field>& Fields::Field(int index) const {
    if (index < 0 || index >= FieldCount())
        throw ComError(E_INVALIDARG, "Tessaly.Data", "Field index " + std::to_string(index) + " is out of range");
    return fields_[static_cast<std::size_t>(index)];
}

int Fields::FindField(const std::string& name) const {
    const std::string_view wanted = TrimBlanks(name);
    // Where two names differ only in case, each finds its own field.
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i]->Name() == wanted) return static_cast<int>(i);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (EqualsIgnoringCase(fields_[i]->Name(), wanted)) return static_cast<int>(i);
    return -1;
}

}  // namespace platform
