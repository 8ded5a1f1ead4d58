#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/data/Field.h"
#include "platform/data/Geometry.h"
#include "platform/data/Variant.h"

namespace platform {

using ObjectId = std::int64_t;

// One record as a cursor delivers it: the values by field index (the full
// field list of the table, whatever SubFields limited), its object ID and its
// shape. Fields that were not fetched read as Null; the object-ID field is
// always fetched. The geometry field's Value is Empty: read the shape with Shape().
// With a recycling cursor the same Row object is refilled by each NextRow.
class Row {
public:
    explicit Row(std::shared_ptr<const platform::Fields> fields);

    const std::shared_ptr<const platform::Fields>& Fields() const { return fields_; }
    // Raises ComError E_INVALIDARG for an index outside the field list.
    const Variant& Value(int index) const {
        if (index < 0 || index >= static_cast<int>(values_.size())) OutOfRange(index);
        return values_[static_cast<std::size_t>(index)];
    }
    bool HasOID() const { return hasOid_; }
    ObjectId OID() const { return oid_; }
    // Empty for tables and when the shape was not fetched.
    const Geometry& Shape() const { return shape_; }

    // Filling, for cursors.
    void Reset();  // every value Null, no shape
    void SetValue(int index, Variant value);
    void SetOID(ObjectId oid);
    void SetShape(Geometry shape) { shape_ = std::move(shape); }

private:
    [[noreturn]] static void OutOfRange(int index);

    std::shared_ptr<const platform::Fields> fields_;
    std::vector<Variant> values_;
    ObjectId oid_ = -1;
    bool hasOid_ = false;
    Geometry shape_;
};

// A forward-only reading of rows. NextRow gives the next row, or nullptr after
// the last (and again on every later call). A cursor owns its own reading of
// the data: other cursors, counts and selections on the same table neither
// disturb it nor are disturbed by it. A recycling cursor hands out one Row
// object, refilled by each call; a non-recycling one a new Row each time.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual std::shared_ptr<Row> NextRow() = 0;
    virtual std::shared_ptr<const platform::Fields> Fields() const = 0;
    int FindField(const std::string& name) const { return Fields()->FindField(name); }
};

}  // namespace platform
