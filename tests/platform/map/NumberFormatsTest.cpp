#include "platform/map/NumberFormats.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "platform/com/ComError.h"

namespace platform {
namespace {

struct NumericCase {
    const char* name;
    double value;
    std::int32_t setting1, setting2, setting3, setting4;
    bool setting5, setting6, setting7;
    const char* expected;
};

const NumericCase kNumericCases[] = {
    {"grouped_and_right_aligned_in_width", 1234567.891, 0, 2, 0, 15, true, false, false, "   1,234,567.89"},
    {"ungrouped", 1234567.891, 0, 2, 0, 12, false, false, false, "  1234567.89"},
    {"decimals_padded_with_zeros", 12.3, 0, 2, 0, 0, true, false, false, "12.30"},
    {"no_decimals", 2.6, 0, 0, 0, 0, true, false, false, "3"},
    {"half_rounds_away_from_zero", 0.125, 0, 2, 0, 0, true, false, false, "0.13"},
    {"half_as_typed_not_as_stored", 2.675, 0, 2, 0, 0, true, false, false, "2.68"},
    {"negative_half_rounds_away_from_zero", -2.5, 0, 0, 0, 0, true, false, false, "-3"},
    {"carry_adds_a_group", 999999.996, 0, 2, 0, 0, true, false, false, "1,000,000.00"},
    {"zero", 0.0, 0, 2, 0, 15, true, false, false, "           0.00"},
    {"negative_rounding_to_zero_has_no_sign", -0.001, 0, 2, 0, 0, true, false, false, "0.00"},
    {"below_the_smallest_decimal", 1e-310, 0, 2, 0, 0, true, false, false, "0.00"},
    {"large_integer", 1e20, 0, 0, 0, 0, true, false, false, "100,000,000,000,000,000,000"},
    {"plus_sign", 5.0, 0, 2, 0, 0, true, true, false, "+5.00"},
    {"plus_sign_not_on_zero", 0.0, 0, 1, 0, 0, true, true, false, "0.0"},
    {"zero_padding_after_the_sign", -12.3, 0, 2, 0, 10, true, false, true, "-000012.30"},
    {"left_aligned", 12.3, 0, 2, 1, 8, true, false, false, "12.30   "},
    {"longer_than_width_not_cut", 123456.789, 0, 3, 0, 4, true, false, false, "123,456.789"},
    {"significant_digits", 123.456, 1, 4, 0, 0, true, false, false, "123.5"},
    {"significant_digits_of_a_large_number", 1234567.0, 1, 3, 0, 0, true, false, false, "1,230,000"},
    {"significant_digits_of_a_fraction", 0.00123456, 1, 2, 0, 0, true, false, false, "0.0012"},
    {"significant_digits_carry", 9.996, 1, 3, 0, 0, true, false, false, "10.0"},
};

void PrintTo(const NumericCase& numericCase, std::ostream* out) { *out << numericCase.name; }

class NumericFormatText : public testing::TestWithParam<NumericCase> {};

TEST_P(NumericFormatText, FollowsItsSettings) {
    const NumericCase& c = GetParam();
    NumericFormat format;
    format.SetSetting1(c.setting1);
    format.SetSetting2(c.setting2);
    format.SetSetting3(c.setting3);
    format.SetSetting4(c.setting4);
    format.SetSetting5(c.setting5);
    format.SetSetting6(c.setting6);
    format.SetSetting7(c.setting7);
    EXPECT_EQ(format.ValueToString(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumericFormatText, testing::ValuesIn(kNumericCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ScientificCase {
    const char* name;
    double value;
    std::int32_t decimals;
    const char* expected;
};

const ScientificCase kScientificCases[] = {
    {"rounded_mantissa_three_digit_exponent", 12345678.0, 2, "1.23e+007"},
    {"negative_small", -0.00005, 2, "-5.00e-005"},
    {"rounding_carries_into_the_exponent", 999999.5, 2, "1.00e+006"},
    {"no_decimals", 2.6e6, 0, "3e+006"},
    {"half_rounds_away_from_zero", 2.5e7, 0, "3e+007"},
    {"zero", 0.0, 2, "0.00e+000"},
    {"exponent_of_three_digits", 1e305, 2, "1.00e+305"},
    {"subnormal", 1.5e-310, 1, "1.5e-310"},
    {"every_digit_kept", 12345678.0, 16, "1.2345678000000000e+007"},
    {"negative_decimals_as_none", 1234.0, -1, "1e+003"},
};

void PrintTo(const ScientificCase& scientificCase, std::ostream* out) { *out << scientificCase.name; }

class ScientificFormatText : public testing::TestWithParam<ScientificCase> {};

TEST_P(ScientificFormatText, HasMantissaAndSignedExponent) {
    const ScientificCase& c = GetParam();
    ScientificFormat format;
    format.SetDecimalPlaces(c.decimals);
    EXPECT_EQ(format.ValueToString(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScientificFormatText, testing::ValuesIn(kScientificCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberFormats, RefuseValuesThatAreNotFinite) {
    NumericFormat numeric;
    ScientificFormat scientific;
    for (double value : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW(numeric.ValueToString(value), ComError);
        EXPECT_THROW(scientific.ValueToString(value), ComError);
    }
}

}  // namespace
}  // namespace platform
