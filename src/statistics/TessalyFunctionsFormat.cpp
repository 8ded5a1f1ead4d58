#include "src/statistics/TessalyFunctionsFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/map/NumberFormats.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

// Enough decimals for the scientific text to hold every digit of a double.
constexpr std::int32_t kAllDigits = 16;

std::string TrimmedBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The largest named exponent not above `e`: the multiples of three, and -2, -4
// and -5 for the small fractions.
int NameExponent(int e) {
    while (e % 3 != 0 && e != -2 && e != -4 && e != -5) --e;
    return e;
}

int NextNameExponent(int n) {
    int next = n + 1;
    while (next == 0 || NameExponent(next) != next) ++next;
    return next;
}

// The value of a decimal text shifted by `shift` places, exact in decimal.
double Shifted(const std::string& mantissa, int shift) {
    const std::string text = mantissa + "e" + std::to_string(shift);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The number a text written by the numeric format shows.
double ShownValue(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != ',') digits += c;
    }
    double value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

}  // namespace

std::string FormatNumberTessaly(double x, const NumNameDictionary& names, std::int16_t decimals) {
    return Guarded(Procedure{"FormatNumberTessaly", "TessalyFunctions"}, std::string{}, [&] {
        platform::NumericFormat numeric;
        numeric.SetSetting3(0);
        numeric.SetSetting1(0);
        numeric.SetSetting4(15);
        numeric.SetSetting2(decimals);
        numeric.SetSetting7(false);
        numeric.SetSetting5(true);
        numeric.SetSetting6(false);
        platform::ScientificFormat scientific;
        scientific.SetDecimalPlaces(kAllDigits);

        const std::string sign = x < 0 ? "-" : "";
        const double a = std::fabs(x);
        const auto plain = [&] { return sign + TrimmedBlanks(numeric.ValueToString(a)); };
        if (a == 0 || (a >= 0.001 && a <= 999999)) return plain();

        const std::string text = scientific.ValueToString(a);
        const std::size_t e = text.find('e');
        const int exponent = std::atoi(text.c_str() + e + 1);
        if (std::abs(exponent) > 303) return plain();

        int name = NameExponent(exponent);
        std::string value = TrimmedBlanks(numeric.ValueToString(Shifted(text.substr(0, e), exponent - name)));
        const int next = NextNameExponent(name);
        if (ShownValue(value) >= std::pow(10.0, next - name)) {
            name = next;
            value = TrimmedBlanks(numeric.ValueToString(1.0));
        }
        return TrimmedBlanks(sign + value + " " + names.Item(std::to_string(name)));
    });
}

}  // namespace tessaly
