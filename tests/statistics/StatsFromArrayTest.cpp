#include "src/statistics/TessalyFunctionsStats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/forms/Screen.h"
#include "platform/map/Application.h"
#include "platform/map/HeadlessHostServices.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

using platform::HeadlessHostServices;
using EventKind = HeadlessHostServices::EventKind;

// A fresh host for each test: a headless UI, headless host services and an
// application whose status bar the calculation draws on.
class StatsFromArrayTest : public testing::Test {
protected:
    void SetUp() override {
        ResetErrorHandling();
        previousHost_ = platform::SetHostServices(host_);
        app_ = std::make_shared<platform::Application>();
    }
    void TearDown() override {
        platform::SetHostServices(previousHost_);
        ResetErrorHandling();
    }

    StatsResultArray Run(const std::vector<double>& values) {
        StatsResultArray results;
        StatsFromArray(values, "AREA", "Parcels", results, app_);
        return results;
    }

    std::size_t Steps() const { return host_->EventsOf(EventKind::ProgressStepped).size(); }

    platform::ScopedHeadlessUi ui_;
    std::shared_ptr<HeadlessHostServices> host_ = std::make_shared<HeadlessHostServices>();
    std::shared_ptr<platform::HostServices> previousHost_;
    std::shared_ptr<platform::Application> app_;
};

struct StatsCase {
    const char* name;
    std::vector<double> values;
    double total, mean, minimum, maximum, range, count;
    double standardDeviation, variance, median, standardError;
    std::string modeText;
};

const double kSqrt2 = std::sqrt(2.0);
const double kSqrtPoint7 = std::sqrt(0.7);

const StatsCase kCases[] = {
    {"two_equal_values", {4, 4}, 8, 4, 4, 4, 0, 2, 0, 0, 4, 0, "1 mode found [2 cases]: Value = 4"},
    {"two_different_values", {1, 3}, 4, 2, 1, 3, 2, 2, kSqrt2, 2, 2, 1, " < No Mode Found >"},
    {"two_runs_of_equal_length", {1, 1, 2, 2, 3}, 9, 1.8, 1, 3, 2, 5, kSqrtPoint7, 0.7, 2,
     kSqrtPoint7 / std::sqrt(5.0), "2 modes found [2 cases each]: Values = 1, 2"},
    {"only_the_longest_run", {1, 1, 1, 2, 2}, 7, 1.4, 1, 2, 1, 5, std::sqrt(0.3), 0.3, 1,
     std::sqrt(0.3) / std::sqrt(5.0), "1 mode found [3 cases]: Value = 1"},
    {"even_count_averages_the_middle_pair", {1, 2, 4, 9}, 16, 4, 1, 9, 8, 4, std::sqrt(38.0 / 3), 38.0 / 3, 3,
     std::sqrt(38.0 / 3) / 2, " < No Mode Found >"},
    {"odd_count_takes_the_middle", {1, 2, 4, 8, 10}, 25, 5, 1, 10, 9, 5, std::sqrt(15.0), 15, 4,
     std::sqrt(3.0), " < No Mode Found >"},
    {"single_value_has_no_median", {5}, 5, 5, 5, 5, 0, 1, 0, 0, -9999, 0, " < No Mode Found >"},
    {"no_data_marker_is_an_ordinary_value", {-9999, -9999, 1}, -19997, -19997.0 / 3, -9999, 1, 10000, 3,
     std::sqrt(1e8 / 3), 1e8 / 3, -9999, std::sqrt(1e8 / 3) / std::sqrt(3.0),
     "1 mode found [2 cases]: Value = -9999"},
    {"modes_in_general_text_form", {0.5, 0.5, 1e20, 1e20}, 2e20 + 1, 5e19 + 0.25, 0.5, 1e20, 1e20, 4,
     std::sqrt(1e40 / 3), 1e40 / 3, 5e19 + 0.25, std::sqrt(1e40 / 3) / 2,
     "2 modes found [2 cases each]: Values = 0.5, 1E+20"},
};

void PrintTo(const StatsCase& statsCase, std::ostream* out) { *out << statsCase.name; }

class StatsFromArrayCases : public StatsFromArrayTest, public testing::WithParamInterface<StatsCase> {};

TEST_P(StatsFromArrayCases, ComputesTheStatistics) {
    const StatsCase& c = GetParam();
    const StatsResultArray r = Run(c.values);
    EXPECT_DOUBLE_EQ(r[kStatsTotal].AsDouble(), c.total);
    EXPECT_DOUBLE_EQ(r[kStatsMean].AsDouble(), c.mean);
    EXPECT_DOUBLE_EQ(r[kStatsMinimum].AsDouble(), c.minimum);
    EXPECT_DOUBLE_EQ(r[kStatsMaximum].AsDouble(), c.maximum);
    EXPECT_DOUBLE_EQ(r[kStatsRange].AsDouble(), c.range);
    EXPECT_DOUBLE_EQ(r[kStatsCount].AsDouble(), c.count);
    EXPECT_NEAR(r[kStatsStandardDeviation].AsDouble(), c.standardDeviation, 1e-9 * (1 + c.standardDeviation));
    EXPECT_NEAR(r[kStatsVariance].AsDouble(), c.variance, 1e-9 * (1 + c.variance));
    EXPECT_DOUBLE_EQ(r[kStatsMedian].AsDouble(), c.median);
    EXPECT_NEAR(r[kStatsStandardError].AsDouble(), c.standardError, 1e-9 * (1 + c.standardError));
    EXPECT_EQ(r[kStatsModeText].AsString(), c.modeText);
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, StatsFromArrayCases, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StatsFromArrayTest, GroupsTheLengthOfALongRun) {
    std::vector<double> values(1234, 7.25);
    values.push_back(8);
    EXPECT_EQ(Run(values)[kStatsModeText].AsString(), "1 mode found [1,234 cases]: Value = 7.25");
}

TEST_F(StatsFromArrayTest, LeavesTheValuesUnchanged) {
    const std::vector<double> values = {1, 1, 2, 3};
    StatsResultArray results;
    StatsFromArray(values, "AREA", "Parcels", results, app_);
    EXPECT_EQ(values, (std::vector<double>{1, 1, 2, 3}));
}

struct ProgressCase {
    const char* name;
    std::vector<double> values;
    std::int32_t max;
    std::size_t steps;
};

const ProgressCase kProgressCases[] = {
    {"two_equal_values", {4, 4}, 0, 7},
    {"two_different_values", {1, 3}, 0, 6},
    {"two_runs", {1, 1, 2, 2, 3}, 9, 15},
    {"no_runs", {1, 2, 3, 4, 5, 6}, 12, 18},
};

void PrintTo(const ProgressCase& progressCase, std::ostream* out) { *out << progressCase.name; }

class StatsFromArrayProgress : public StatsFromArrayTest, public testing::WithParamInterface<ProgressCase> {};

TEST_P(StatsFromArrayProgress, ShowsStepsAndHidesTheBar) {
    const ProgressCase& c = GetParam();
    Run(c.values);
    const auto shown = host_->EventsOf(EventKind::ProgressShown);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Calculating Statistics on field [AREA] in Parcels");
    EXPECT_EQ(shown[0].min, 1);
    EXPECT_EQ(shown[0].max, c.max);
    EXPECT_EQ(shown[0].step, 1);
    EXPECT_TRUE(shown[0].flag);
    EXPECT_EQ(Steps(), c.steps);
    EXPECT_EQ(host_->Events().back().kind, EventKind::ProgressHidden);
    EXPECT_EQ(ui_->PointerChanges(), (std::vector<int>{platform::vbHourglass, platform::vbDefault}));
}

INSTANTIATE_TEST_SUITE_P(Cases, StatsFromArrayProgress, testing::ValuesIn(kProgressCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::vector<double> values;
    std::int32_t errorNumber;
};

const FailureCase kFailureCases[] = {
    {"no_values", {}, platform::vberr::SubscriptOutOfRange},
    {"total_too_large", {1.5e308, 1.5e308}, platform::vberr::Overflow},
    {"squares_too_large", {-1e300, 1e300}, platform::vberr::Overflow},
};

void PrintTo(const FailureCase& failureCase, std::ostream* out) { *out << failureCase.name; }

class StatsFromArrayFailure : public StatsFromArrayTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(StatsFromArrayFailure, ReportsAndRestoresPointerAndBar) {
    const FailureCase& c = GetParam();
    StatsResultArray results;
    results[kStatsTotal] = 42.0;
    StatsFromArray(c.values, "AREA", "Parcels", results, app_);

    EXPECT_EQ(results[kStatsTotal].AsDouble(), 42.0);
    for (std::size_t i = 1; i < results.size(); ++i) EXPECT_TRUE(results[i].IsEmpty()) << i;
    ASSERT_EQ(ui_->ErrorReports().size(), 1u);
    EXPECT_NE(ui_->ErrorReports()[0].find("\tStatsFromArray TessalyFunctions \r\n"), std::string::npos);
    EXPECT_NE(ui_->ErrorReports()[0].find("\r\n\t" + std::to_string(c.errorNumber) + "\r\n"), std::string::npos);
    EXPECT_EQ(host_->Events().back().kind, EventKind::ProgressHidden);
    EXPECT_EQ(platform::screen::MousePointer(), platform::vbDefault);
    EXPECT_EQ(ui_->PointerChanges(), (std::vector<int>{platform::vbHourglass, platform::vbDefault}));
}

INSTANTIATE_TEST_SUITE_P(Cases, StatsFromArrayFailure, testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A status bar whose drawing fails at the third step.
class FailingProgressHost : public HeadlessHostServices {
public:
    void ProgressStepped(const platform::StatusBar& bar) override {
        if (++steps_ == 3) throw platform::ComError(platform::E_FAIL, "StatusBar", "drawing failed");
        HeadlessHostServices::ProgressStepped(bar);
    }

private:
    int steps_ = 0;
};

TEST_F(StatsFromArrayTest, FailingStatusBarIsReportedAndTheBarHidden) {
    auto failing = std::make_shared<FailingProgressHost>();
    platform::SetHostServices(failing);
    StatsResultArray results;
    StatsFromArray({1, 2, 3}, "AREA", "Parcels", results, app_);

    ASSERT_EQ(ui_->ErrorReports().size(), 1u);
    EXPECT_NE(ui_->ErrorReports()[0].find("drawing failed"), std::string::npos);
    EXPECT_TRUE(results[kStatsTotal].IsEmpty());
    EXPECT_FALSE(app_->StatusBar()->ProgressBarVisible());
    EXPECT_EQ(failing->Events().back().kind, EventKind::ProgressHidden);
    EXPECT_EQ(platform::screen::MousePointer(), platform::vbDefault);
}

TEST_F(StatsFromArrayTest, WithoutApplicationReportsObjectNotSet) {
    StatsResultArray results;
    StatsFromArray({1, 2}, "AREA", "Parcels", results, nullptr);
    ASSERT_EQ(ui_->ErrorReports().size(), 1u);
    EXPECT_NE(ui_->ErrorReports()[0].find("\r\n\t91\r\n"), std::string::npos);
    EXPECT_TRUE(results[kStatsTotal].IsEmpty());
    EXPECT_TRUE(host_->Events().empty());
}

}  // namespace
}  // namespace tessaly
