#pragma once
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The host's field type codes (Field.Type).
namespace fieldtype {
inline constexpr int SmallInteger = 0;
inline constexpr int Integer = 1;
inline constexpr int Single = 2;
inline constexpr int Double = 3;  // also 64-bit integers
inline constexpr int String = 4;
inline constexpr int Date = 5;    // dates and date-times
inline constexpr int OID = 6;
inline constexpr int Geometry = 7;
inline constexpr int Blob = 8;
}  // namespace fieldtype

// One column of a table: an immutable description, shared by the field lists
// that hold it.
class Field {
public:
    Field(std::string name, int type, int length = 0, std::string aliasName = {});

    const std::string& Name() const { return name_; }
    // The source's alias where it keeps one, else the name.
    const std::string& AliasName() const { return alias_; }
    int Type() const { return type_; }
    // Width in characters for strings and numbers as the source declares it; 0 unknown.
    int Length() const { return length_; }

private:
    std::string name_;
    std::string alias_;
    int type_;
    int length_;
};

// An ordered field list, indexed from 0. Immutable once built; tables hand it
// out as a shared_ptr, so it stays valid as long as anyone holds it.
class Fields {
public:
    Fields() = default;
    explicit Fields(std::vector<std::shared_ptr<const platform::Field>> fields);

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    // Raises ComError E_INVALIDARG for an index outside 0..FieldCount-1.
    const std::shared_ptr<const platform::Field>& Field(int index) const;
    // Index of the field of exactly that name, else of the first whose name
    // differs only in letter case; -1 if none.
    int FindField(const std::string& name) const;

private:
    std::vector<std::shared_ptr<const platform::Field>> fields_;
};

}  // namespace platform
