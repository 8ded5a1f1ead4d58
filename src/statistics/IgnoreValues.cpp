#include "src/statistics/IgnoreValues.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "platform/com/ComError.h"
#include "platform/data/Variant.h"
#include "src/core/aml_func_mod.h"

namespace tessaly {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Sign, digits with at most one ".", optional exponent, blanks around; nothing
// else (no "inf", "nan" or hexadecimal forms).
bool HasNumberShape(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < n && IsDigit(text[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    while (i < n && text[i] == ' ') ++i;
    return i == n;
}

// Blanks, an optional sign, digits, blanks: an integer as typed, when it fits 64 bits.
bool ReadsAsInteger(const std::string& text, std::int64_t& integer) {
    std::string_view digits = text;
    while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), integer);
    return !digits.empty() && ec == std::errc() && end == digits.data() + digits.size();
}

platform::Variant IgnoreValueOf(const std::string& part) {
    std::int64_t integer = 0;
    if (ReadsAsInteger(part, integer)) return platform::Variant::LongLong(integer);
    return platform::Variant(platform::Variant(part).ToDouble());
}

}  // namespace

bool IsNumericText(const std::string& text) {
    if (!HasNumberShape(text)) return false;
    try {
        return std::isfinite(platform::Variant(text).ToDouble());
    } catch (const platform::ComError&) {
        return false;  // beyond the range of a double
    }
}

IgnoreValueList ReadIgnoreValues(const std::string& typed) {
    std::vector<std::string> parts;
    if (typed.find(',') == std::string::npos) {
        parts.push_back(typed);
    } else {
        ParseString(typed, parts, ",");
        // Nothing but commas and blanks: ParseString leaves the list as it was.
        if (parts.empty()) return {{}, {typed}};
    }
    IgnoreValueList list;
    for (const std::string& part : parts) {
        if (IsNumericText(part))
            list.values.push_back(IgnoreValueOf(part));
        else
            list.bad.push_back(part);
    }
    return list;
}

std::string GeneralNumberText(double value) { return platform::Variant(value).ToText(); }

}  // namespace tessaly
