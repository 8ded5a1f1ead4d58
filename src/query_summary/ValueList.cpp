#include "src/query_summary/ValueList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <type_traits>
#include <utility>

#include "platform/com/ComError.h"
#include "platform/data/Field.h"
#include "src/core/QuickSortNonCase.h"

namespace tessaly {
namespace {

std::int32_t ToInteger(const platform::Variant& value) {
    if (value.IsInteger()) return value.AsInteger();
    const double number = std::nearbyint(value.ToDouble());
    if (!(number >= std::numeric_limits<std::int32_t>::min() && number <= std::numeric_limits<std::int32_t>::max()))
        throw platform::RuntimeError(platform::vberr::Overflow);
    return static_cast<std::int32_t>(number);
}

double ToDate(const platform::Variant& value) { return value.IsDate() ? value.AsDate() : value.ToDouble(); }

// Every value as T, read straight from the source: no list of Variants is kept.
template <class T, class Convert>
std::vector<T> Converted(const ValueSource& next, std::size_t count, Convert convert) {
    std::vector<T> items;
    items.reserve(count);
    for (platform::Variant value = next(); !value.IsEmpty(); value = next()) items.push_back(convert(value));
    return items;
}

template <class T, class Sort, class Make>
std::vector<std::string> Sorted(std::vector<T> items, Sort sort, Make make, const ValueLiteral& literal) {
    sort(items, 0, static_cast<std::int32_t>(items.size()) - 1);
    if constexpr (std::is_same_v<T, std::string>) {
        // Each text becomes its line in place: no second list of a million texts.
        std::vector<std::string> forms;
        for (std::size_t i = 0; i < items.size(); i += forms.size()) {
            forms.clear();
            literal(make(items[i]), forms);
            items[i] = std::move(forms.at(0));
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(i + 1), std::make_move_iterator(forms.begin() + 1),
                         std::make_move_iterator(forms.end()));
        }
        return items;
    }
    std::vector<std::string> lines;
    lines.reserve(items.size());
    for (const T& item : items) literal(make(item), lines);
    return lines;
}

// A value of an integer field as a 64-bit integer; a real one is rounded, and
// one outside the 64-bit range is an overflow.
std::int64_t ToWideInteger(const platform::Variant& value) {
    if (value.IsLongLong()) return value.AsLongLong();
    if (value.IsInteger()) return value.AsInteger();
    const double number = std::nearbyint(value.ToDouble());
    if (!(number >= -9223372036854775808.0 && number < 9223372036854775808.0))
        throw platform::RuntimeError(platform::vberr::Overflow);
    return static_cast<std::int64_t>(number);
}

std::vector<std::string> WideIntegerLines(std::vector<std::int64_t> integers, const ValueLiteral& literal) {
    std::sort(integers.begin(), integers.end());
    std::vector<std::string> lines;
    lines.reserve(integers.size());
    for (const std::int64_t n : integers) literal(platform::Variant::LongLong(n), lines);
    return lines;
}

// Values are kept in the narrower form until one needs the wider: 32-bit
// integers until a 64-bit one comes (object IDs past 2^31), 64-bit integers
// until a real number comes (a 64-bit integer field); a widening converts
// those kept so far once.
template <class Narrow, class Wide, class IsNarrow, class ToNarrow, class ToWide>
std::pair<std::vector<Narrow>, std::vector<Wide>> Gathered(const ValueSource& next, std::size_t count,
                                                            IsNarrow isNarrow, ToNarrow toNarrow, ToWide toWide) {
    std::vector<Narrow> narrow;
    std::vector<Wide> wide;
    narrow.reserve(count);
    for (platform::Variant value = next(); !value.IsEmpty(); value = next()) {
        if (wide.empty() && isNarrow(value)) {
            narrow.push_back(toNarrow(value));
            continue;
        }
        if (wide.empty()) {
            wide.reserve(count);
            for (const Narrow n : narrow) wide.push_back(static_cast<Wide>(n));
            std::vector<Narrow>().swap(narrow);
        }
        wide.push_back(toWide(value));
    }
    return {std::move(narrow), std::move(wide)};
}

std::vector<std::string> IntegerLines(const ValueSource& next, std::size_t count, const ValueLiteral& literal) {
    const auto fits = [](const platform::Variant& value) {
        if (value.IsInteger()) return true;
        if (!value.IsLongLong()) return false;
        const std::int64_t n = value.AsLongLong();
        return n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max();
    };
    auto [integers, wide] = Gathered<std::int32_t, std::int64_t>(next, count, fits, ToInteger, ToWideInteger);
    if (!wide.empty()) return WideIntegerLines(std::move(wide), literal);
    return Sorted(std::move(integers), LongAscending, [](std::int32_t n) { return platform::Variant(n); }, literal);
}

std::vector<std::string> RealLines(const ValueSource& next, std::size_t count, const ValueLiteral& literal) {
    // A 64-bit integer field: its values stay exact integers, as long as every one is such.
    auto [integers, numbers] = Gathered<std::int64_t, double>(
        next, count, [](const platform::Variant& value) { return value.IsLongLong(); },
        [](const platform::Variant& value) { return value.AsLongLong(); },
        [](const platform::Variant& value) { return value.ToDouble(); });
    if (!integers.empty()) return WideIntegerLines(std::move(integers), literal);
    return Sorted(std::move(numbers), DoubleAscending, [](double n) { return platform::Variant(n); }, literal);
}

}  // namespace

std::vector<std::string> ValueListLines(int fieldType, const ValueSource& next, std::size_t count,
                                        const ValueLiteral& literal) {
    namespace type = platform::fieldtype;
    switch (fieldType) {
    case type::String: {
        std::vector<std::string> texts =
            Converted<std::string>(next, count, [](const platform::Variant& value) { return value.ToText(); });
        return Sorted(std::move(texts), StringsAscending, [](const std::string& t) { return platform::Variant(t); },
                      literal);
    }
    case type::SmallInteger:
    case type::Integer:
    case type::OID: return IntegerLines(next, count, literal);
    case type::Single:
    case type::Double: return RealLines(next, count, literal);
    case type::Date: {
        return Sorted(Converted<double>(next, count, ToDate), DatesAscending,
                      [](double d) { return platform::Variant::Date(d); }, literal);
    }
    default: break;
    }
    throw platform::RuntimeError(platform::vberr::TypeMismatch);
}

}  // namespace tessaly
