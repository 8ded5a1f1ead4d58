#include "src/core/aml_func_mod.h"

#include "src/core/ErrorHandling.h"

#include "platform/forms/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaly {
namespace {

using Parts = std::vector<std::string>;

struct ParseCase {
    const char* name;
    std::string text;
    const char* delim;
    Parts expected;
};

// "1, 2, ..., n" and its parts: an ignore list as long as users type them.
std::string NumberList(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += (i > 1 ? ", " : "") + std::to_string(i);
    return text;
}
Parts NumberParts(int n) {
    Parts parts;
    for (int i = 1; i <= n; ++i) parts.push_back(std::to_string(i));
    return parts;
}

class ParseStringTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseStringTest, SplitsTrimsAndHonoursQuotes) {
    const ParseCase& c = GetParam();
    Parts parts{"stale"};
    ParseString(c.text, parts, c.delim);
    EXPECT_EQ(parts, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseStringTest,
    ::testing::Values(
        ParseCase{"PartsAreTrimmed", "a, b ,c", ",", {"a", "b", "c"}},
        ParseCase{"DoubledDelimiterGivesEmptyPart", "a,,b", ",", {"a", "", "b"}},
        ParseCase{"LeadingDelimiterGivesEmptyPart", ",a", ",", {"", "a"}},
        ParseCase{"SingleTrailingDelimiterDropped", "a,b,", ",", {"a", "b"}},
        ParseCase{"OnlyTheLastTrailingDelimiterDropped", "a,b,,", ",", {"a", "b", ""}},
        ParseCase{"BlankAfterDelimiterGivesEmptyPart", "a, ", ",", {"a", ""}},
        ParseCase{"QuotedStretchKeepsDelimiters", "'a,b',c", ",", {"a,b", "c"}},
        ParseCase{"UnclosedQuoteStopsSplitting", "it's,x", ",", {"it's,x"}},
        ParseCase{"QuoteClosingAtLastCharacterStays", "'a,b'", ",", {"'a,b'"}},
        ParseCase{"RunOfBlanksIsOneSplit", "a   b c", " ", {"a", "b", "c"}},
        ParseCase{"NoDelimiterGivesTheWholeText", " one ", ",", {"one"}},
        ParseCase{"DoubledBackslashGivesEmptyPart", "C:\\\\dir", "\\", {"C:", "", "dir"}},
        ParseCase{"DoubledSlashGivesEmptyPart", "/home//dir", "/", {"", "home", "", "dir"}},
        ParseCase{"MantissaAndExponent", "1.23e+007", "e", {"1.23", "+007"}},
        ParseCase{"FiftyThousandValuesSplitOneByOne", NumberList(50'000), ",", NumberParts(50'000)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseStringLeaveAloneTest, OnlyDelimitersAndBlanksLeaveTheArrayAsItWas) {
    for (const char* text : {",,,", "", " , , ", "  "}) {
        Parts parts{"kept", "too"};
        ParseString(text, parts, ",");
        EXPECT_EQ(parts, (Parts{"kept", "too"})) << "text «" << text << "»";
    }
}

struct TrimCase {
    const char* name;
    std::string s;
    std::string leftSet;
    std::string rightSet;
    std::string expected;
};

class BasicTrimAvenueTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(BasicTrimAvenueTest, RemovesSetCharactersIgnoringCase) {
    const TrimCase& c = GetParam();
    std::string s = c.s;
    EXPECT_EQ(BasicTrimAvenue(s, c.leftSet, c.rightSet), c.expected);
    EXPECT_EQ(s, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BasicTrimAvenueTest,
    ::testing::Values(
        TrimCase{"RightSetIgnoresCase", "abcNDa", "", "ad", "abcN"},
        TrimCase{"EmptySetsChangeNothing", "  abc  ", "", "", "  abc  "},
        TrimCase{"OnlySetCharactersGiveEmpty", "aDaD", "", "ad", ""},
        TrimCase{"TrailingAndOfAClause", "[AREA] <> -9999 AND [AREA] <> 0 AND ", "", " and",
                 "[AREA] <> -9999 AND [AREA] <> 0"},
        TrimCase{"TrailingCommaAndBlank", "1, 2, ", "", ", ", "1, 2"},
        TrimCase{"QuotedFieldToken", "\"NAME\"", "\"[", "\"]", "NAME"},
        TrimCase{"BracketedFieldToken", "[AREA]", "\"[", "\"]", "AREA"},
        TrimCase{"LeftAfterRight", "xxax", "xa", "x", ""},
        TrimCase{"TrailingNuls", std::string("user\0\0", 6), "", std::string("\0", 1), "user"},
        TrimCase{"AccentedLettersIgnoreCase", "cafÉé", "", "é", "caf"},
        TrimCase{"MultibyteCharacterKeptWhole", "café", "", "\xa9", "café"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CommasCase {
    const char* name;
    std::string text;
    std::string expected;
};

class InsertCommasTest : public ::testing::TestWithParam<CommasCase> {};

TEST_P(InsertCommasTest, GroupsTheIntegerPartInThrees) {
    EXPECT_EQ(InsertCommas(platform::Variant(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, InsertCommasTest,
                         ::testing::Values(CommasCase{"FourDigits", "1000", "1,000"},
                                           CommasCase{"SixDigits", "100000", "100,000"},
                                           CommasCase{"SevenDigits", "1234567", "1,234,567"},
                                           CommasCase{"ThreeDigitsUnchanged", "999", "999"},
                                           CommasCase{"FractionKept", "12.5", "12.5"},
                                           CommasCase{"FractionKeptAfterGrouping", "1234.5678", "1,234.5678"},
                                           CommasCase{"Empty", "", ""},
                                           CommasCase{"SignStaysInFront", "-1234", "-1,234"},
                                           CommasCase{"ShortNegative", "-123", "-123"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InsertCommasCountTest, CountsAreGrouped) {
    EXPECT_EQ(InsertCommas(0), "0");
    EXPECT_EQ(InsertCommas(1234), "1,234");
    EXPECT_EQ(InsertCommas(std::int64_t{3000000000}), "3,000,000,000");
    EXPECT_EQ(InsertCommas(std::size_t{100000}), "100,000");
}

TEST(InsertCommasValueTest, ValuesGoByTheirTextForm) {
    EXPECT_EQ(InsertCommas(platform::Variant(1234567)), "1,234,567");
    EXPECT_EQ(InsertCommas(platform::Variant(1234.5)), "1,234.5");
    EXPECT_EQ(InsertCommas(platform::Variant()), "");
}

TEST(InsertCommasValueTest, NullIsReportedWithEmptyResult) {
    platform::ScopedHeadlessUi ui;
    ResetErrorHandling();
    EXPECT_EQ(InsertCommas(platform::Variant::Null()), "");
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_NE(ui->ErrorReports()[0].find("\tInsertCommas aml_func_mod \r\n\r\nError Number \r\n\t94\r\n"),
              std::string::npos);
}

TEST(BeforeAfterTest, SplitAtTheFirstOccurrence) {
    EXPECT_EQ(Before("key=value=x", "="), "key");
    EXPECT_EQ(After("key=value=x", "="), "value=x");
    EXPECT_EQ(Before("a::b::c", "::"), "a");
    EXPECT_EQ(After("a::b::c", "::"), "b::c");
    EXPECT_EQ(Before("abc", "x"), "");
    EXPECT_EQ(After("abc", "x"), "");
    EXPECT_EQ(After("abc", "c"), "");
}

struct SubstCase {
    const char* name;
    std::string s;
    std::string find;
    std::string expected;
};

class SubstDeleteTest : public ::testing::TestWithParam<SubstCase> {};

TEST_P(SubstDeleteTest, DeletesOccurrences) {
    EXPECT_EQ(Subst(GetParam().s, GetParam().find), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SubstDeleteTest,
                         ::testing::Values(SubstCase{"EveryCommaGoes", ",a,,b,", ",", "ab"},
                                           SubstCase{"NoOccurrence", "abc", "x", "abc"},
                                           SubstCase{"TextJoinedInFrontStays", "aabb", "ab", "ab"},
                                           SubstCase{"EmptyFindChangesNothing", "abc", "", "abc"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct OverwriteCase {
    const char* name;
    std::string s;
    std::string find;
    std::string repl;
    std::string expected;
};

class SubstOverwriteTest : public ::testing::TestWithParam<OverwriteCase> {};

TEST_P(SubstOverwriteTest, OverwritesInPlaceKeepingTheLength) {
    const OverwriteCase& c = GetParam();
    EXPECT_EQ(Subst(c.s, c.find, c.repl), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SubstOverwriteTest,
    ::testing::Values(OverwriteCase{"SameLengthReplaces", "a\tb\tc", "\t", " ", "a b c"},
                      OverwriteCase{"LongerReplOverwritesWhatFollows", "abcabc", "b", "XY", "aXYaXY"},
                      OverwriteCase{"NeverPastTheEnd", "ab", "b", "XYZ", "aX"},
                      OverwriteCase{"ScanGoesOnAfterTheOverwrite", "aaa", "a", "aa", "aaa"},
                      OverwriteCase{"EmptyFindChangesNothing", "abc", "", "x", "abc"},
                      OverwriteCase{"EmptyReplChangesNothing", "abc", "b", "", "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldIsNumericTest, OnlyTypeCodesZeroToThreeAreNumeric) {
    const std::vector<std::pair<int, bool>> cases = {{0, true},  {1, true},  {2, true},  {3, true}, {4, false},
                                                     {5, false}, {6, false}, {7, false}, {8, false}};
    for (const auto& [type, numeric] : cases) {
        const auto field = std::make_shared<const platform::Field>("F", type);
        EXPECT_EQ(FieldIsNumeric(*field), numeric) << "type " << type;
        EXPECT_EQ(FieldIsNumeric(field), numeric) << "type " << type;
    }
}

TEST(FieldIsNumericTest, MissingFieldIsReportedAndNotNumeric) {
    platform::ScopedHeadlessUi ui;
    ResetErrorHandling();
    EXPECT_FALSE(FieldIsNumeric(std::shared_ptr<const platform::Field>()));
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_NE(ui->ErrorReports()[0].find("\tFieldIsNumeric aml_func_mod \r\n\r\nError Number \r\n\t91\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace tessaly
