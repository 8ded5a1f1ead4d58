#pragma once
#include <memory>
#include <string>

#include "platform/data/Field.h"

namespace platform {

// How a layer or standalone table presents one of its fields: the alias shown
// in place of the name (the name until set) and whether it is offered at all.
// Kept by the layer or table, and in map documents and layer files.
class FieldInfo {
public:
    explicit FieldInfo(std::string alias, bool visible = true) : alias_(std::move(alias)), visible_(visible) {}

    const std::string& Alias() const { return alias_; }
    void Alias(std::string alias) { alias_ = std::move(alias); }
    bool Visible() const { return visible_; }
    void Visible(bool visible) { visible_ = visible; }

private:
    std::string alias_;
    bool visible_;
};

// The host's TableFields (and LayerFields) view of a layer or standalone
// table: its data's field list, indexed as the rows' values are, with the
// layer's presentation of each field. An invalid layer has no fields.
class TableFields {
public:
    virtual ~TableFields() = default;
    virtual int FieldCount() const = 0;
    // Both raise ComError E_INVALIDARG for an index outside 0 to FieldCount - 1.
    virtual std::shared_ptr<const platform::Field> Field(int index) const = 0;
    // The layer's own settings object for that field: changes to it stay with the layer.
    virtual std::shared_ptr<platform::FieldInfo> FieldInfo(int index) const = 0;
};

using LayerFields = TableFields;

}  // namespace platform
