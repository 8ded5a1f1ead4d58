#include "src/query_summary/ValueList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

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

template <class T, class Sort, class Make>
std::vector<std::string> Sorted(std::vector<T> items, Sort sort, Make make, const ValueLiteral& literal) {
    sort(items, 0, static_cast<std::int32_t>(items.size()) - 1);
    std::vector<std::string> lines;
    lines.reserve(items.size());
    for (const T& item : items) lines.push_back(literal(make(item)));
    return lines;
}

std::vector<std::string> RealLines(const std::vector<platform::Variant>& values, const ValueLiteral& literal) {
    // A 64-bit integer field: its values stay exact integers.
    if (!values.empty() && std::all_of(values.begin(), values.end(), [](const auto& v) { return v.IsLongLong(); })) {
        std::vector<std::int64_t> numbers;
        for (const auto& value : values) numbers.push_back(value.AsLongLong());
        std::sort(numbers.begin(), numbers.end());
        std::vector<std::string> lines;
        for (const std::int64_t n : numbers) lines.push_back(literal(platform::Variant::LongLong(n)));
        return lines;
    }
    std::vector<double> numbers;
    for (const auto& value : values) numbers.push_back(value.ToDouble());
    return Sorted(std::move(numbers), DoubleAscending, [](double n) { return platform::Variant(n); }, literal);
}

}  // namespace

std::vector<std::string> ValueListLines(int fieldType, const std::vector<platform::Variant>& values,
                                        const ValueLiteral& literal) {
    namespace type = platform::fieldtype;
    switch (fieldType) {
    case type::String: {
        std::vector<std::string> texts;
        for (const auto& value : values) texts.push_back(value.ToText());
        return Sorted(std::move(texts), StringsAscending, [](const std::string& t) { return platform::Variant(t); },
                      literal);
    }
    case type::SmallInteger:
    case type::Integer:
    case type::OID: {
        std::vector<std::int32_t> numbers;
        for (const auto& value : values) numbers.push_back(ToInteger(value));
        return Sorted(std::move(numbers), LongAscending, [](std::int32_t n) { return platform::Variant(n); }, literal);
    }
    case type::Single:
    case type::Double: return RealLines(values, literal);
    case type::Date: {
        std::vector<double> dates;
        for (const auto& value : values) dates.push_back(ToDate(value));
        return Sorted(std::move(dates), DatesAscending, [](double d) { return platform::Variant::Date(d); }, literal);
    }
    default: break;
    }
    throw platform::RuntimeError(platform::vberr::TypeMismatch);
}

}  // namespace tessaly
