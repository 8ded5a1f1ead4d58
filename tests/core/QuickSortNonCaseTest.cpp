#include "src/core/QuickSortNonCase.h"

#include "src/core/ErrorHandling.h"
#include "src/core/LocaleText.h"

#include "platform/forms/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <pthread.h>
#include <locale.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tessaly {
namespace {

class QuickSortTest : public ::testing::Test {
protected:
    void SetUp() override { ResetErrorHandling(); }
    void TearDown() override { ResetErrorHandling(); }

    platform::ScopedHeadlessUi ui;
};

// Runs `work` on a thread with a small stack, so that a recursion as deep as the
// array is long would crash instead of passing unnoticed.
void OnSmallStack(const std::function<void()>& work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    auto* task = new std::function<void()>(work);
    ASSERT_EQ(pthread_create(
                  &thread, &attributes,
                  [](void* argument) -> void* {
                      auto* job = static_cast<std::function<void()>*>(argument);
                      (*job)();
                      delete job;
                      return nullptr;
                  },
                  task),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// An input on which a middle-element pivot is always the largest value of its range,
// so every partition splits off a single element: built by following where each
// range's middle element ends up.
std::vector<double> MiddleIsAlwaysLargest(std::size_t n) {
    std::vector<std::size_t> label(n);
    for (std::size_t k = 0; k < n; ++k) label[k] = k;
    std::vector<double> input(n);
    for (std::size_t hi = n; hi-- > 0;) {
        const std::size_t sum = hi;  // lo is always 0
        std::size_t middle = sum / 2;
        if (sum % 2 == 1 && middle % 2 == 1) ++middle;  // halves go to the even index
        std::swap(label[middle], label[hi]);
        input[label[hi]] = static_cast<double>(hi);
    }
    return input;
}

double Date(std::chrono::year_month_day day, int hour, int minute = 0) {
    using namespace std::chrono;
    const auto days = (sys_days(day) - sys_days(1899y / December / 30)).count();
    return static_cast<double>(days) + (hour * 60 + minute) / 1440.0;
}

struct LongCase {
    const char* name;
    std::vector<std::int32_t> input;
    std::int32_t lo;
    std::int32_t hi;
    std::vector<std::int32_t> expected;
};

class LongAscendingTest : public QuickSortTest, public ::testing::WithParamInterface<LongCase> {};

TEST_P(LongAscendingTest, SortsTheRangeOnly) {
    const LongCase& c = GetParam();
    std::vector<std::int32_t> values = c.input;
    LongAscending(values, c.lo, c.hi);
    EXPECT_EQ(values, c.expected);
    EXPECT_TRUE(ui->ErrorReports().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LongAscendingTest,
    ::testing::Values(LongCase{"WholeArray", {5, 1, 4, 1}, 0, 3, {1, 1, 4, 5}},
                      LongCase{"OneElementRange", {3, 2, 1}, 1, 1, {3, 2, 1}},
                      LongCase{"InvertedRangeMovesNothing", {3, 2, 1}, 2, 0, {3, 2, 1}},
                      LongCase{"InvertedRangeOnEmptyArray", {}, 0, -1, {}},
                      LongCase{"SubRange", {9, 8, 7, 6, 5, 4, 3}, 2, 4, {9, 8, 5, 6, 7, 4, 3}},
                      LongCase{"TwoElements", {2, 1}, 0, 1, {1, 2}},
                      LongCase{"Extremes",
                               {std::numeric_limits<std::int32_t>::max(), 0, std::numeric_limits<std::int32_t>::min()},
                               0, 2,
                               {std::numeric_limits<std::int32_t>::min(), 0, std::numeric_limits<std::int32_t>::max()}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadRange {
    const char* name;
    std::size_t size;
    std::int32_t lo;
    std::int32_t hi;
};

class RangeOutsideTest : public QuickSortTest, public ::testing::WithParamInterface<BadRange> {};

TEST_P(RangeOutsideTest, IsReportedAsSubscriptErrorAndSortsNothing) {
    const BadRange& c = GetParam();
    std::vector<std::int32_t> values;
    for (std::size_t k = 0; k < c.size; ++k) values.push_back(static_cast<std::int32_t>(c.size - k));
    const std::vector<std::int32_t> before = values;
    LongAscending(values, c.lo, c.hi);
    EXPECT_EQ(values, before);
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_NE(ui->ErrorReports()[0].find("\tLongAscending QuickSortNonCase \r\n\r\nError Number \r\n\t9\r\n"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, RangeOutsideTest,
                         ::testing::Values(BadRange{"EmptyArray", 0, 0, 0}, BadRange{"HighPastEnd", 3, 0, 3},
                                           BadRange{"NegativeLow", 3, -1, 1},
                                           BadRange{"WholeRangePastEnd", 3, 5, 9}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuickSortTest, MillionDoublesSortWithShallowRecursion) {
    constexpr std::size_t n = 1'000'000;
    std::vector<double> equal(n, 2.5);
    std::vector<double> sorted(n);
    std::vector<double> reversed(n);
    for (std::size_t k = 0; k < n; ++k) {
        sorted[k] = static_cast<double>(k) * 0.5;
        reversed[k] = static_cast<double>(n - k) * 0.5;
    }
    OnSmallStack([&] {
        for (auto* values : {&equal, &sorted, &reversed})
            DoubleAscending(*values, 0, static_cast<std::int32_t>(n - 1));
    });
    EXPECT_EQ(equal, std::vector<double>(n, 2.5));
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    EXPECT_TRUE(std::is_sorted(reversed.begin(), reversed.end()));
    EXPECT_EQ(reversed.front(), 0.5);
    EXPECT_EQ(reversed.back(), n * 0.5);
    EXPECT_TRUE(ui->ErrorReports().empty());
}

// Numbers sort by their bits; dates (whole days here) still go through the partition sort.
TEST_F(QuickSortTest, WorstCasePartitionsStayOffTheStack) {
    std::vector<double> values = MiddleIsAlwaysLargest(20'000);
    OnSmallStack([&] { DatesAscending(values, 0, static_cast<std::int32_t>(values.size() - 1)); });
    for (std::size_t k = 0; k < values.size(); ++k) ASSERT_EQ(values[k], static_cast<double>(k));
}

// Values that rise to one peak and fall again: a middle pivot is the largest
// value of every range, which made a million of them take minutes.
template <class T>
std::vector<T> OrganPipe(std::size_t n, T first, T step) {
    std::vector<T> values(n);
    for (std::size_t k = 0; k < n; ++k) values[k] = first + step * static_cast<T>(k < n / 2 ? k : n - 1 - k);
    return values;
}

TEST_F(QuickSortTest, MillionOrganPipeValuesSortOnASmallStack) {
    constexpr std::size_t n = 1'000'000;
    constexpr auto last = static_cast<std::int32_t>(n - 1);
    std::vector<std::int32_t> numbers = OrganPipe<std::int32_t>(n, -250'000, 1);
    std::vector<double> dates = OrganPipe<double>(n, 10.25, 1.0);
    OnSmallStack([&] {
        LongAscending(numbers, 0, last);
        DatesAscending(dates, 0, last);
    });
    std::vector<std::int32_t> expectedNumbers = OrganPipe<std::int32_t>(n, -250'000, 1);
    std::sort(expectedNumbers.begin(), expectedNumbers.end());
    EXPECT_EQ(numbers, expectedNumbers);
    std::vector<double> expectedDates = OrganPipe<double>(n, 10.25, 1.0);
    std::sort(expectedDates.begin(), expectedDates.end());
    EXPECT_EQ(dates, expectedDates);
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(QuickSortTest, DoublesWithNaNStayInsideTheArray) {
    std::vector<double> values = {3, std::nan(""), 1, 2, std::nan(""), 0};
    DoubleAscending(values, 0, 5);
    EXPECT_EQ(std::count_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }), 2);
}

TEST_F(QuickSortTest, DoublesOfEverySignAndSizeSortAsNumbersInsideTheirRange) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double tiny = std::numeric_limits<double>::denorm_min();
    std::vector<double> values = {9, 3.5, -0.0, -1e308, inf, tiny, -inf, -2.25, 0.0, 1e308, -tiny, -3.5, -9};
    DoubleAscending(values, 1, 11);
    EXPECT_EQ(values, (std::vector<double>{9, -inf, -1e308, -3.5, -2.25, -tiny, -0.0, 0.0, tiny, 3.5, 1e308, inf, -9}));
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(QuickSortTest, ShuffledStringsSortInsideTheirRangeOnly) {
    std::vector<std::string> texts;
    for (int k = 0; k < 1000; ++k)
        texts.push_back((k % 2 ? "Key " : "key ") + std::to_string((k * 7919) % 1000 + 1000));
    std::vector<std::string> expected = texts;
    const auto folded = [](std::string t) {
        t[0] = 'k';
        return t;
    };
    std::sort(expected.begin() + 5, expected.end() - 5,
              [&](const std::string& a, const std::string& b) { return folded(a) < folded(b); });
    StringsAscending(texts, 5, 994);
    EXPECT_EQ(texts, expected);
}

TEST_F(QuickSortTest, StringsIgnoreCase) {
    std::vector<std::string> fruit = {"cherry", "Banana", "apple"};
    StringsAscending(fruit, 0, 2);
    EXPECT_EQ(fruit, (std::vector<std::string>{"apple", "Banana", "cherry"}));

    std::vector<std::string> mixed = {"b", "ABC", "Zebra", "abc", "a", "zoo"};
    StringsAscending(mixed, 0, 5);
    EXPECT_EQ(mixed[0], "a");
    EXPECT_TRUE((mixed[1] == "ABC" && mixed[2] == "abc") || (mixed[1] == "abc" && mixed[2] == "ABC"));
    EXPECT_EQ(mixed[3], "b");
    EXPECT_EQ(mixed[4], "Zebra");
    EXPECT_EQ(mixed[5], "zoo");
}

TEST_F(QuickSortTest, AccentedTextsDifferingInCaseSortTogether) {
    std::vector<std::string> words = {"ÉCOLE", "b", "école", "a"};
    StringsAscending(words, 0, 3);
    EXPECT_EQ(words[0], "a");
    EXPECT_EQ(words[1], "b");
    EXPECT_TRUE((words[2] == "école" && words[3] == "ÉCOLE") || (words[2] == "ÉCOLE" && words[3] == "école"));
}

// In German, random texts with accents, ß, case and punctuation: each neighbour pair is
// in the order of the C library's collation of the lower-cased texts, as it always was.
TEST_F(QuickSortTest, GermanTextsSortByTheLocalesCollation) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);  // read once per process, at the first sort
    const locale_t de = newlocale(LC_COLLATE_MASK, "de_DE.UTF-8", locale_t{});
    ASSERT_NE(de, locale_t{}) << "de_DE.UTF-8 is not installed";
    const char* letters[] = {"a", "A", "ä", "Ä", "ö", "Ö", "ü", "Ü", "s", "S", "ß", "e", "é", "É", "z", " ", "-", "1"};
    std::vector<std::string> texts(20000, "Äpfel");
    std::mt19937 random(7);
    for (std::string& text : texts)
        for (auto n = random() % 8; n-- > 0;) text += letters[random() % std::size(letters)];
    std::vector<std::string> sorted = texts;
    StringsAscending(sorted, 0, static_cast<std::int32_t>(sorted.size()) - 1);
    for (std::size_t k = 1; k < sorted.size(); ++k)
        ASSERT_LE(wcscoll_l(localetext::Folded(sorted[k - 1]).c_str(), localetext::Folded(sorted[k]).c_str(), de), 0)
            << sorted[k];
    EXPECT_EQ(std::multiset<std::string>(sorted.begin(), sorted.end()),
              std::multiset<std::string>(texts.begin(), texts.end()));
    freelocale(de);
}

TEST_F(QuickSortTest, DatesSortByDayKeepingTheirTimes) {
    using namespace std::chrono;
    const double march2At10 = Date(2024y / March / 2, 10);
    const double march3At08 = Date(2024y / March / 3, 8);
    std::vector<double> dates = {march3At08, march2At10};
    DatesAscending(dates, 0, 1);
    EXPECT_EQ(dates, (std::vector<double>{march2At10, march3At08}));

    const double march2At23 = Date(2024y / March / 2, 23);
    const double march2At01 = Date(2024y / March / 2, 1);
    const double march1At12 = Date(2024y / March / 1, 12);
    std::vector<double> sameDay = {march2At23, march1At12, march2At01};
    DatesAscending(sameDay, 0, 2);
    EXPECT_EQ(sameDay[0], march1At12);
    std::vector<double> rest(sameDay.begin() + 1, sameDay.end());
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(rest, (std::vector<double>{march2At01, march2At23}));
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(QuickSortTest, SameDayCountsAsEqualInBothDirections) {
    using namespace std::chrono;
    // Late on the earlier day, early on the later one, and two moments of one day.
    std::vector<double> dates = {Date(2024y / March / 4, 0, 5), Date(2024y / March / 3, 23, 59),
                                 Date(2024y / March / 3, 0, 1), Date(2024y / March / 2, 12)};
    DatesAscending(dates, 0, 3);
    std::vector<std::int32_t> days;
    for (double d : dates) days.push_back(DateToJulian(d));
    EXPECT_TRUE(std::is_sorted(days.begin(), days.end()));
    EXPECT_EQ(dates.front(), Date(2024y / March / 2, 12));
    EXPECT_EQ(dates.back(), Date(2024y / March / 4, 0, 5));
}

TEST(DateToJulianTest, WholeDayOfTheDate) {
    using namespace std::chrono;
    const std::vector<std::pair<double, std::int32_t>> cases = {
        {0.0, 0},                                   // 30 December 1899
        {2.0, 2},                                   // 1 January 1900, midnight
        {2.999, 2},                                 // 1 January 1900, late
        {Date(2024y / March / 2, 23, 59), 45353},   // 2 March 2024
        {-0.5, 0},                                  // 30 December 1899, noon
        {-1.25, -1},                                // 29 December 1899, 06:00
        {-1.75, -1},                                // 29 December 1899, 18:00
    };
    for (const auto& [date, day] : cases) EXPECT_EQ(DateToJulian(date), day) << "date " << date;
}

TEST(DateToJulianTest, DateOutsideTheCalendarIsPassedOnAsOverflow) {
    for (double date : {1e12, -1e12, std::nan(""), std::numeric_limits<double>::infinity()}) {
        try {
            DateToJulian(date);
            ADD_FAILURE() << "no error for " << date;
        } catch (const platform::ComError& e) {
            EXPECT_EQ(e.Number(), platform::vberr::Overflow);
            EXPECT_EQ(e.Description().rfind("\tDateToJulian QuickSortNonCase \r\n", 0), 0u);
        }
        ResetErrorHandling();
    }
}

TEST_F(QuickSortTest, BadDateIsReportedByTheSortWithBothLocations) {
    std::vector<double> dates = {5.0, 1e12, 3.0};
    DatesAscending(dates, 0, 2);
    ASSERT_FALSE(ui->ErrorReports().empty());
    EXPECT_NE(ui->ErrorReports()[0].find("\tDatesAscending QuickSortNonCase \r\n"
                                         "\tDateToJulian QuickSortNonCase \r\n"
                                         "\r\nError Number \r\n\t6\r\n"),
              std::string::npos);
    std::sort(dates.begin(), dates.end());
    EXPECT_EQ(dates, (std::vector<double>{3.0, 5.0, 1e12}));
}

}  // namespace
}  // namespace tessaly
