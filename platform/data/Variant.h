#pragma once
#include <cstdint>
#include <string>
#include <variant>

namespace platform {

enum class VariantType { Empty, Null, Boolean, Integer, Double, String, Date, LongLong };

// A host value as the classic runtime holds it: Empty (nothing assigned, also
// the end mark of a value enumeration), Null (a missing field value), Boolean,
// Integer (32-bit), Double, String (UTF-8), Date (days since 30 December 1899,
// the time of day as the fraction) or LongLong (64-bit, a 64-bit integer field's
// value, exact where a Double would round). A plain value type; copies are
// independent.
class Variant {
public:
    Variant() = default;  // Empty
    Variant(bool value) : value_(value) {}
    Variant(std::int32_t value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(std::string value) : value_(std::move(value)) {}
    // Without this a string literal would silently become a Boolean.
    Variant(const char* value) : value_(std::string(value)) {}

    static Variant Null();
    static Variant Date(double oleDate);
    // A named maker, so that no integer argument picks this by accident.
    static Variant LongLong(std::int64_t value);

    // The alternatives of value_ are declared in VariantType's order.
    VariantType Type() const { return static_cast<VariantType>(value_.index()); }
    bool IsEmpty() const { return Type() == VariantType::Empty; }
    bool IsNull() const { return Type() == VariantType::Null; }
    bool IsBoolean() const { return Type() == VariantType::Boolean; }
    bool IsInteger() const { return Type() == VariantType::Integer; }
    bool IsDouble() const { return Type() == VariantType::Double; }
    bool IsString() const { return Type() == VariantType::String; }
    bool IsDate() const { return Type() == VariantType::Date; }
    bool IsLongLong() const { return Type() == VariantType::LongLong; }
    // Integer, LongLong, Double, Boolean or Date: something ToDouble converts without parsing.
    bool IsNumeric() const;

    // The held value of exactly that type; another type raises runtime error 13
    // (type mismatch).
    bool AsBoolean() const;
    std::int32_t AsInteger() const;
    double AsDouble() const;
    const std::string& AsString() const;
    double AsDate() const;
    std::int64_t AsLongLong() const;

    // Conversion as the runtime's CDbl: numbers and dates as they are, Boolean
    // True -1 and False 0, Empty 0, a string parsed with "." as the decimal
    // separator (blanks around it allowed). Null raises error 94 (invalid use
    // of Null); an unparsable string raises 13.
    double ToDouble() const;

    // Text with "." as the decimal separator, independent of the locale:
    // Empty and Null give "", Boolean "True"/"False", Integer its decimal
    // text, LongLong its decimal text, Double the general form (up to 15 significant digits, exponent
    // form such as 1E+20 at the extremes), String itself, Date
    // "yyyy-mm-dd" plus " hh:mm:ss" when the time is not midnight.
    std::string ToText() const;

    // Same type and same value. Integer 1 and Double 1.0 are not equal here:
    // distinct-value lists keep each field's own type anyway.
    friend bool operator==(const Variant& a, const Variant& b);
    friend struct VariantHash;

    // A strict order for sets and sorting: by type first, then by value
    // (strings by bytes, case-sensitively).
    friend bool operator<(const Variant& a, const Variant& b);

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
        friend bool operator<(NullTag, NullTag) { return false; }
    };
    struct DateValue {
        double days = 0;
        friend bool operator==(DateValue a, DateValue b) { return a.days == b.days; }
        friend bool operator<(DateValue a, DateValue b) { return a.days < b.days; }
    };
    std::variant<std::monostate, NullTag, bool, std::int32_t, double, std::string, DateValue, std::int64_t> value_;
};

// The hash of every table keyed by Variants. Equal values hash alike; so do
// numbers of the same value whatever their type (Integer 7, LongLong 7 and
// Double 7.0), so that the hash stays consistent should == ever compare them
// by value. Every bit of the result depends on the whole value.
struct VariantHash {
    std::size_t operator()(const Variant& value) const noexcept;
};

// == for tables keyed by Variants. It counts its calls on the calling thread:
// a table that compares far more often than it holds values has a hash that
// does not spread them.
struct VariantKeyEqual {
    bool operator()(const Variant& a, const Variant& b) const noexcept;
};
std::uint64_t VariantKeyComparisons();

// A calendar date and time of day, the parts of an OLE date.
struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    double second = 0;
};

// Days since 30 December 1899 (negative before it), the time as the fraction;
// for dates before that day the fraction still counts forward from midnight,
// as OLE dates do.
double OleDateFromParts(const DateParts& parts);
DateParts PartsFromOleDate(double oleDate);

}  // namespace platform
