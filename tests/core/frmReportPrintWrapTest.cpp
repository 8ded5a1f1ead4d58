#include <gtest/gtest.h>

#include <string>

#include "src/core/frmReportPrintWrap.h"

namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// `length` characters of "x" with `c` at the 1-based positions given.
std::string LineWith(int length, char c, std::initializer_list<int> positions) {
    std::string line(static_cast<std::size_t>(length), 'x');
    for (int p : positions) line[static_cast<std::size_t>(p - 1)] = c;
    return line;
}

struct WrapCase {
    const char* name;
    std::string text;
    std::string expected;
};

void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.name; }

class PrintWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(PrintWrap, BreaksLongLinesAfterTheLastBlankOrDashWithinSeventy) {
    EXPECT_EQ(tessaly::WrapForPrinting(GetParam().text), GetParam().expected);
}

const std::string kA150(150, 'a');
const std::string kBlankAt65 = LineWith(100, ' ', {65});
const std::string kDashAt70 = LineWith(90, '-', {70});
const std::string kBlankAndDash = LineWith(80, ' ', {10}).replace(39, 1, "-");
const std::string kBlankAt71 = LineWith(80, ' ', {71});
// A mode list of many tied values on one line, as a report can hold: every
// piece ends after the blank of its seventh value.
const std::string kSevenValues = Repeat("1234567, ", 7);
const std::string kTiedModes = Repeat(kSevenValues, 28'000);
const std::string kTiedModesWrapped = Repeat(kSevenValues + "\r\n", 27'999) + kSevenValues;
const std::string kFifties = Repeat(std::string(50, 'b') + "\r\n", 3) + std::string(50, 'b');

INSTANTIATE_TEST_SUITE_P(
    Report, PrintWrap,
    ::testing::Values(
        WrapCase{"NoBlankBreaksAt70Then70Then10", kA150,
                 std::string(70, 'a') + "\r\n" + std::string(70, 'a') + "\r\n" + std::string(10, 'a')},
        WrapCase{"BlankAt65StaysAtTheEndOfTheFirstPart", kBlankAt65,
                 kBlankAt65.substr(0, 65) + "\r\n" + kBlankAt65.substr(65)},
        WrapCase{"DashAt70BreaksRightAfterIt", kDashAt70, kDashAt70.substr(0, 70) + "\r\n" + kDashAt70.substr(70)},
        WrapCase{"TheLastOfBlankAndDashWins", kBlankAndDash,
                 kBlankAndDash.substr(0, 40) + "\r\n" + kBlankAndDash.substr(40)},
        WrapCase{"ABlankAt71IsNotAmongTheFirst70", kBlankAt71,
                 kBlankAt71.substr(0, 70) + "\r\n" + kBlankAt71.substr(70)},
        WrapCase{"ExistingBreaksEvery50StayUnchanged", kFifties, kFifties},
        WrapCase{"ExactlySeventyStays", std::string(70, 'c'), std::string(70, 'c')},
        WrapCase{"EachLineWrapsOnItsOwn", "short\r\n" + kA150 + "\r\n",
                 "short\r\n" + std::string(70, 'a') + "\r\n" + std::string(70, 'a') + "\r\n" +
                     std::string(10, 'a') + "\r\n"},
        WrapCase{"CountsCharactersNotBytes", Repeat("é", 75), Repeat("é", 70) + "\r\n" + Repeat("é", 5)},
        WrapCase{"EmptyTextStaysEmpty", "", ""},
        WrapCase{"MegabytesLongLineWrapsAtEverySeventhValue", kTiedModes, kTiedModesWrapped}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
