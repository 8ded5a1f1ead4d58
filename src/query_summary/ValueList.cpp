#include "src/query_summary/ValueList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

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
        for (std::string& item : items) item = literal(make(item));  // no second list of a million texts
        return items;
    }
    std::vector<std::string> lines;
    lines.reserve(items.size());
    for (const T& item : items) lines.push_back(literal(make(item)));
    return lines;
}

std::vector<std::string> RealLines(const ValueSource& next, std::size_t count, const ValueLiteral& literal) {
    // A 64-bit integer field: its values stay exact integers, as long as every one is such.
    std::vector<std::int64_t> integers;
    std::vector<double> numbers;
    integers.reserve(count);
    for (platform::Variant value = next(); !value.IsEmpty(); value = next()) {
        if (numbers.empty() && value.IsLongLong()) {
            integers.push_back(value.AsLongLong());
            continue;
        }
        if (numbers.empty()) {
            numbers.reserve(count);
            for (const std::int64_t n : integers) numbers.push_back(static_cast<double>(n));
            std::vector<std::int64_t>().swap(integers);
        }
        numbers.push_back(value.ToDouble());
    }
    if (!integers.empty()) {
        std::sort(integers.begin(), integers.end());
        std::vector<std::string> lines;
        for (const std::int64_t n : integers) lines.push_back(literal(platform::Variant::LongLong(n)));
        return lines;
    }
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
    case type::OID: {
        return Sorted(Converted<std::int32_t>(next, count, ToInteger), LongAscending,
                      [](std::int32_t n) { return platform::Variant(n); }, literal);
    }
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
