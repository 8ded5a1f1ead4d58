#include "src/statistics/TessalyFunctionsFormat.h"

#include <gtest/gtest.h>

#include <ostream>

#include "platform/forms/HeadlessBackend.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

struct FormatCase {
    std::string name;
    double value;
    std::int16_t decimals;
    std::string expected;
};

// 10^305 written out: "100" and 101 groups of ",000".
std::string PlainOneE305() {
    std::string text = "100";
    for (int i = 0; i < 101; ++i) text += ",000";
    return text;
}

std::vector<FormatCase> Cases() {
    return {
        // The report's own examples.
        {"millions_rounded_after_scaling", 12345678, 2, "12.35 million"},
        {"negative_hundred_thousandths", -0.00005, 2, "-5.00 hundred thousandths"},
        {"ten_thousandths", 0.00056, 2, "5.60 ten thousandths"},
        {"stepped_down_to_billionths", 0.00000015, 2, "150.00 billionths"},
        {"plain_rounded", 123.456, 2, "123.46"},
        {"zero", 0, 2, "0.00"},
        {"count_rounded_to_a_whole_million", 2.6e6, 0, "3 million"},
        {"just_above_the_plain_range", 999999.5, 2, "1.00 million"},
        {"count_keeps_its_leading_digits", 12345678, 0, "12 million"},
        {"rounding_reaches_the_next_name", 999999999.9, 2, "1.00 billion"},
        {"rounding_stays_below_the_next_name", 999994999, 2, "999.99 million"},
        {"value_of_ten_in_a_name", 9.9999e6, 2, "10.00 million"},
        // The edges of the plain range.
        {"largest_plain", 999999, 2, "999,999.00"},
        {"just_above_largest_plain", 999999.001, 3, "999.999 thousand"},
        {"smallest_plain", 0.001, 3, "0.001"},
        {"smallest_plain_with_two_decimals", 0.001, 2, "0.00"},
        {"just_below_smallest_plain", 0.0001, 2, "1.00 ten thousandths"},
        {"rounding_reaches_thousandths", 0.00099999, 2, "1.00 thousandths"},
        {"rounding_reaches_hundred_thousandths", 9.9999e-6, 2, "1.00 hundred thousandths"},
        {"googol_is_not_a_step", 1e100, 2, "10.00 duotrigintillion"},
        {"misspelt_name_kept", 1e-249, 1, "1.0 duooctogintilliovnths"},
        // Exponents at and beyond 303.
        {"centillion", 1e303, 2, "1.00 centillion"},
        {"centillionths", 1e-303, 2, "1.00 centillionths"},
        {"above_centillion_is_plain", 1e305, 0, PlainOneE305()},
        {"below_centillionths_is_plain", 1e-310, 2, "0.00"},
        // Negative numbers carry the sign in front of the whole text.
        {"negative_millions", -12345678, 2, "-12.35 million"},
        {"negative_plain", -123.456, 2, "-123.46"},
        {"negative_beyond_centillion", -1e305, 0, "-" + PlainOneE305()},
        {"negative_below_centillionths", -1e-310, 2, "-0.00"},
    };
}

void PrintTo(const FormatCase& formatCase, std::ostream* out) { *out << formatCase.name; }

class FormatNumberTessalyText : public testing::TestWithParam<FormatCase> {
protected:
    static void SetUpTestSuite() { names_ = new NumNameDictionary(MakeNumNameDictionary()); }
    static void TearDownTestSuite() { delete names_; }
    static NumNameDictionary* names_;
};
NumNameDictionary* FormatNumberTessalyText::names_ = nullptr;

TEST_P(FormatNumberTessalyText, WritesMagnitudeNames) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatNumberTessaly(c.value, *names_, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatNumberTessalyText, testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

TEST(FormatNumberTessaly, MissingNameIsReportedAndGivesEmptyText) {
    platform::ScopedHeadlessUi ui;
    ResetErrorHandling();
    EXPECT_EQ(FormatNumberTessaly(12345678, NumNameDictionary{}, 2), "");
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_NE(ui->ErrorReports()[0].find("\tFormatNumberTessaly TessalyFunctions \r\n"), std::string::npos);
    EXPECT_NE(ui->ErrorReports()[0].find("\r\n\t5\r\n"), std::string::npos);
    // The plain range needs no name.
    EXPECT_EQ(FormatNumberTessaly(5, NumNameDictionary{}, 1), "5.0");
    EXPECT_EQ(ui->ErrorReports().size(), 1u);
    ResetErrorHandling();
}

}  // namespace
}  // namespace tessaly
