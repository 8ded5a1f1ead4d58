#include "src/query_summary/ValueList.h"

#include <langinfo.h>
#include <locale.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>

#include "platform/com/ComError.h"
#include "platform/data/Field.h"
#include "src/core/QuickSortNonCase.h"
#include "src/statistics/IgnoreValues.h"

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

// Formats in the user's time locale without touching the process's own
// locale: its date form, with the century kept where the form would drop it
// (a value that goes into a query must not lose it), and its time form.
std::string Formatted(const std::tm& when, bool withTime) {
    locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) user = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    std::string format = nl_langinfo_l(D_FMT, user);
    for (std::size_t at = format.find("%y"); at != std::string::npos; at = format.find("%y", at + 2)) format[at + 1] = 'Y';
    if (withTime) format += std::string(" ") + nl_langinfo_l(T_FMT, user);
    char buffer[128];
    const std::size_t length = strftime_l(buffer, sizeof buffer, format.c_str(), &when, user);
    freelocale(user);
    return std::string(buffer, length);
}

template <class T, class Sort, class Write>
std::vector<std::string> Sorted(std::vector<T> items, Sort sort, Write write) {
    sort(items, 0, static_cast<std::int32_t>(items.size()) - 1);
    std::vector<std::string> lines;
    lines.reserve(items.size());
    for (const T& item : items) lines.push_back(write(item));
    return lines;
}

}  // namespace

std::string DateText(double oleDate) {
    const platform::DateParts parts = platform::PartsFromOleDate(oleDate);
    std::tm when{};
    when.tm_year = parts.year - 1900;
    when.tm_mon = parts.month - 1;
    when.tm_mday = parts.day;
    when.tm_hour = parts.hour;
    when.tm_min = parts.minute;
    when.tm_sec = static_cast<int>(std::lround(parts.second));
    when.tm_isdst = -1;
    const bool midnight = parts.hour == 0 && parts.minute == 0 && when.tm_sec == 0;
    return Formatted(when, !midnight);
}

std::vector<std::string> ValueListLines(int fieldType, const std::vector<platform::Variant>& values) {
    namespace type = platform::fieldtype;
    switch (fieldType) {
    case type::String: {
        std::vector<std::string> texts;
        for (const auto& value : values) texts.push_back("'" + value.ToText() + "'");
        return Sorted(std::move(texts), StringsAscending, [](const std::string& text) { return text; });
    }
    case type::SmallInteger:
    case type::Integer:
    case type::OID: {
        std::vector<std::int32_t> numbers;
        for (const auto& value : values) numbers.push_back(ToInteger(value));
        return Sorted(std::move(numbers), LongAscending, [](std::int32_t n) { return std::to_string(n); });
    }
    case type::Single:
    case type::Double: {
        std::vector<double> numbers;
        for (const auto& value : values) numbers.push_back(value.ToDouble());
        return Sorted(std::move(numbers), DoubleAscending, GeneralNumberText);
    }
    case type::Date: {
        std::vector<double> dates;
        for (const auto& value : values) dates.push_back(ToDate(value));
        return Sorted(std::move(dates), DatesAscending, DateText);
    }
    default: break;
    }
    throw platform::RuntimeError(platform::vberr::TypeMismatch);
}

}  // namespace tessaly
