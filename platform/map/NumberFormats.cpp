#include "platform/map/NumberFormats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform {
namespace {

// A magnitude as decimal digits: 0.digits × 10^point, so `point` digits stand
// in front of the decimal point. No leading or trailing zeros; zero has none.
struct Decimal {
    std::string digits;
    int point = 0;
};

void DropTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

Decimal ShortestDecimal(double magnitude, const char* source) {
    if (!std::isfinite(magnitude)) {
        throw ComError(E_INVALIDARG, source, "The value is not a finite number.");
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(magnitude),
                                      std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    Decimal d;
    for (char c : text.substr(0, e)) {
        if (c != '.') d.digits += c;
    }
    int exponent = 0;
    const std::string_view exponentText = text.substr(e + 1);
    const char* first = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(first, exponentText.data() + exponentText.size(), exponent);
    d.point = exponent + 1;
    DropTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
Decimal Rounded(Decimal d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) return d;
    if (keep < 0) return {};
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    DropTrailingZeros(d);
    if (d.digits.empty()) d.point = 0;
    return d;
}

// The digit at position i (0 is the first digit in front of 10^(point-1)).
char DigitAt(const Decimal& d, int i) {
    return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)]
                                                             : '0';
}

std::string IntegerDigits(const Decimal& d, bool grouped) {
    std::string text;
    for (int i = 0; i < d.point; ++i) {
        if (grouped && i > 0 && (d.point - i) % 3 == 0) text += ',';
        text += DigitAt(d, i);
    }
    return text.empty() ? "0" : text;
}

std::string FractionDigits(const Decimal& d, int decimals) {
    std::string text;
    for (int i = 0; i < decimals; ++i) text += DigitAt(d, d.point + i);
    return text;
}

}  // namespace

std::string NumericFormat::ValueToString(double value) const {
    Decimal d = ShortestDecimal(value, "NumericFormat");
    int decimals = 0;
    if (rounding_ == 0) {
        decimals = std::max(0, roundingValue_);
        d = Rounded(d, d.point + decimals);
    } else {
        d = Rounded(d, std::max(1, roundingValue_));
        decimals = std::max(0, std::max(1, roundingValue_) - d.point);
    }
    std::string body = IntegerDigits(d, separator_);
    if (decimals > 0) body += "." + FractionDigits(d, decimals);

    std::string sign;
    if (!d.digits.empty()) {
        if (value < 0) {
            sign = "-";
        } else if (plusSign_) {
            sign = "+";
        }
    }
    const int padding = std::max(0, width_ - static_cast<int>(sign.size() + body.size()));
    if (alignment_ != 0) return sign + body + std::string(static_cast<std::size_t>(padding), ' ');
    if (zeroPad_) return sign + std::string(static_cast<std::size_t>(padding), '0') + body;
    return std::string(static_cast<std::size_t>(padding), ' ') + sign + body;
}

std::string ScientificFormat::ValueToString(double value) const {
    const int decimals = std::max(0, decimalPlaces_);
    const Decimal d = Rounded(ShortestDecimal(value, "ScientificFormat"), decimals + 1);
    const int exponent = d.digits.empty() ? 0 : d.point - 1;

    std::string text = value < 0 && !d.digits.empty() ? "-" : "";
    text += DigitAt(d, 0);
    if (decimals > 0) {
        text += '.';
        for (int i = 1; i <= decimals; ++i) text += DigitAt(d, i);
    }
    std::string exponentDigits = std::to_string(std::abs(exponent));
    if (exponentDigits.size() < 3) exponentDigits.insert(0, 3 - exponentDigits.size(), '0');
    return text + (exponent < 0 ? "e-" : "e+") + exponentDigits;
}

}  // namespace platform
