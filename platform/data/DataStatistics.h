#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Row.h"
#include "platform/data/Variant.h"

namespace platform {

// Values handed out one by one; Next gives Empty after the last. The values
// are shared with whoever made them, never copied.
class EnumVariant {
public:
    explicit EnumVariant(std::vector<Variant> values)
        : values_(std::make_shared<const std::vector<Variant>>(std::move(values))) {}
    explicit EnumVariant(std::shared_ptr<const std::vector<Variant>> values) : values_(std::move(values)) {}
    Variant Next();
    void Reset() { next_ = 0; }
    std::int32_t Count() const { return values_ ? static_cast<std::int32_t>(values_->size()) : 0; }

private:
    std::shared_ptr<const std::vector<Variant>> values_;
    std::size_t next_ = 0;
};

// Distinct values of one field over the rows of a cursor. The cursor is read
// to its end at the first UniqueValues or UniqueValueCount and the result kept;
// setting Field or Cursor again starts afresh. A field the cursor lacks raises
// ComError E_INVALIDARG; no cursor raises E_POINTER.
class DataStatistics {
public:
    const std::string& Field() const { return field_; }
    void Field(std::string name);
    const std::shared_ptr<platform::Cursor>& Cursor() const { return cursor_; }
    void Cursor(std::shared_ptr<platform::Cursor> cursor);

    // Each distinct non-null value once, in the order first met.
    std::shared_ptr<EnumVariant> UniqueValues();
    std::int32_t UniqueValueCount();

private:
    void Gather();

    std::string field_;
    std::shared_ptr<platform::Cursor> cursor_;
    bool gathered_ = false;
    std::shared_ptr<const std::vector<Variant>> values_;
};

}  // namespace platform
