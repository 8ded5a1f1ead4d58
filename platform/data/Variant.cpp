#include "platform/data/Variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

#include "platform/com/ComError.h"

namespace platform {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Days from 1 March of year 0 style civil calendar (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

const long long kOleEpoch = DaysFromCivil(1899, 12, 30);

}  // namespace

Variant Variant::Null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
}

Variant Variant::Date(double oleDate) {
    Variant v;
    v.value_ = DateValue{oleDate};
    return v;
}

Variant Variant::LongLong(std::int64_t value) {
    Variant v;
    v.value_ = value;
    return v;
}

bool Variant::IsNumeric() const {
    switch (Type()) {
    case VariantType::Boolean:
    case VariantType::Integer:
    case VariantType::Double:
    case VariantType::Date:
    case VariantType::LongLong: return true;
    default: return false;
    }
}

bool Variant::AsBoolean() const {
    if (!IsBoolean()) throw RuntimeError(vberr::TypeMismatch);
    return std::get<bool>(value_);
}

std::int32_t Variant::AsInteger() const {
    if (!IsInteger()) throw RuntimeError(vberr::TypeMismatch);
    return std::get<std::int32_t>(value_);
}

double Variant::AsDouble() const {
    if (!IsDouble()) throw RuntimeError(vberr::TypeMismatch);
    return std::get<double>(value_);
}

const std::string& Variant::AsString() const {
    if (!IsString()) throw RuntimeError(vberr::TypeMismatch);
    return std::get<std::string>(value_);
}

double Variant::AsDate() const {
    if (!IsDate()) throw RuntimeError(vberr::TypeMismatch);
    return std::get<DateValue>(value_).days;
}

std::int64_t Variant::AsLongLong() const {
    if (!IsLongLong()) throw RuntimeError(vberr::TypeMismatch);
    return std::get<std::int64_t>(value_);
}

double Variant::ToDouble() const {
    switch (Type()) {
    case VariantType::Empty: return 0;
    case VariantType::Null: throw RuntimeError(vberr::InvalidUseOfNull);
    case VariantType::Boolean: return AsBoolean() ? -1 : 0;
    case VariantType::Integer: return AsInteger();
    case VariantType::Double: return AsDouble();
    case VariantType::Date: return AsDate();
    case VariantType::LongLong: return static_cast<double>(AsLongLong());
    case VariantType::String: break;
    }
    std::string_view text = TrimBlanks(AsString());
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double result = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        throw RuntimeError(vberr::TypeMismatch);
    return result;
}

std::string Variant::ToText() const {
    switch (Type()) {
    case VariantType::Empty:
    case VariantType::Null: return {};
    case VariantType::Boolean: return AsBoolean() ? "True" : "False";
    case VariantType::Integer: return std::to_string(AsInteger());
    case VariantType::LongLong: return std::to_string(AsLongLong());
    case VariantType::String: return AsString();
    case VariantType::Double: {
        // to_chars ignores the C locale, which a Qt host sets from the user's.
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, AsDouble(),
                                       std::chars_format::general, 15);
        std::string text(buffer, ec == std::errc() ? end : buffer);
        for (char& c : text)
            if (c == 'e') c = 'E';
        return text;
    }
    case VariantType::Date: {
        const DateParts p = PartsFromOleDate(AsDate());
        char buffer[64];
        const int seconds = static_cast<int>(p.second);
        if (p.hour == 0 && p.minute == 0 && seconds == 0)
            std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
        else
            std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day,
                          p.hour, p.minute, seconds);
        return buffer;
    }
    }
    return {};
}

bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

bool operator<(const Variant& a, const Variant& b) { return a.value_ < b.value_; }

namespace {

// The finalizer of splitmix64: each output bit depends on every input bit.
std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

std::uint64_t WholeNumberHash(std::int64_t number) { return Mix(static_cast<std::uint64_t>(number)); }

// A double that is a whole number in the range of a 64-bit integer hashes as that
// integer; -0 and 0 alike.
std::uint64_t NumberHash(double number) {
    if (number >= -9223372036854775808.0 && number < 9223372036854775808.0 && number == std::trunc(number))
        return WholeNumberHash(static_cast<std::int64_t>(number));
    std::uint64_t bits = 0;
    std::memcpy(&bits, &number, sizeof bits);
    return Mix(bits ^ 0x6A09E667F3BCC909ULL);
}

thread_local std::uint64_t keyComparisons = 0;

}  // namespace

std::size_t VariantHash::operator()(const Variant& value) const noexcept {
    const auto& held = value.value_;
    switch (value.Type()) {
    case VariantType::Integer: return WholeNumberHash(std::get<std::int32_t>(held));
    case VariantType::LongLong: return WholeNumberHash(std::get<std::int64_t>(held));
    case VariantType::Double: return NumberHash(std::get<double>(held));
    case VariantType::Date: return NumberHash(std::get<Variant::DateValue>(held).days) ^ 0xD1B54A32D192ED03ULL;
    case VariantType::String: return Mix(std::hash<std::string>{}(std::get<std::string>(held)));
    case VariantType::Boolean: return Mix(std::get<bool>(held) ? 0xB0001 : 0xB0000);
    case VariantType::Empty:
    case VariantType::Null: break;
    }
    return Mix(static_cast<std::uint64_t>(value.Type()) + 0x51ED27);
}

bool VariantKeyEqual::operator()(const Variant& a, const Variant& b) const noexcept {
    ++keyComparisons;
    return a == b;
}

std::uint64_t VariantKeyComparisons() { return keyComparisons; }

double OleDateFromParts(const DateParts& parts) {
    const double days = static_cast<double>(
        DaysFromCivil(parts.year, static_cast<unsigned>(parts.month), static_cast<unsigned>(parts.day)) - kOleEpoch);
    const double fraction = (parts.hour * 3600.0 + parts.minute * 60.0 + parts.second) / 86400.0;
    return days >= 0 ? days + fraction : days - fraction;
}

DateParts PartsFromOleDate(double oleDate) {
    double whole = std::trunc(oleDate);
    // Milliseconds, so a time stored as a binary fraction does not come back as 59.999 seconds.
    long long millis = std::llround(std::fabs(oleDate - whole) * 86400000.0);
    if (millis >= 86400000LL) {
        millis -= 86400000LL;
        whole += oleDate >= 0 ? 1 : -1;
    }
    DateParts parts;
    CivilFromDays(static_cast<long long>(whole) + kOleEpoch, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(millis / 3600000);
    parts.minute = static_cast<int>(millis / 60000 % 60);
    parts.second = static_cast<double>(millis % 60000) / 1000.0;
    return parts;
}

}  // namespace platform
