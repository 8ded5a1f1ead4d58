#include "src/core/ErrorHandling.h"

#include "platform/forms/HeadlessBackend.h"
#include "platform/forms/MessageBox.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

namespace tessaly {
namespace {

class ErrorHandlingTest : public ::testing::Test {
protected:
    void SetUp() override { ResetErrorHandling(); }
    void TearDown() override { ResetErrorHandling(); }

    platform::ScopedHeadlessUi ui;
};

TEST(ErrorLineLabelTest, LineZeroGivesNoLabel) {
    EXPECT_EQ(ErrorLineLabel(0), "");
    EXPECT_EQ(ErrorLineLabel(12), "Line : 12");
    EXPECT_EQ(ErrorLineLabel(-3), "Line : -3");
}

TEST(ProcedureTest, LocationWithoutLineEndsInABlank) {
    EXPECT_EQ((Procedure{"ParseString", "aml_func_mod"}.Location()), "ParseString aml_func_mod ");
    EXPECT_EQ((Procedure{"Form_Load", "frmReport", 40}.Location()), "Form_Load frmReport Line : 40");
}

TEST_F(ErrorHandlingTest, TopLevelReportShowsHeaderLocationAndFormattedBlock) {
    Guarded(Procedure{"cmdPrint_Click", "frmReport"},
            [] { throw platform::ComError(-2147467259, "Tessaly.Data", "Bad where clause"); });

    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_EQ(ui->ErrorReports()[0],
              "Record Call Stack Sequence - Bottom line is error line.\r\n"
              "\r\n"
              "\tcmdPrint_Click frmReport \r\n"
              "\r\n"
              "Error Number \r\n"
              "\t-2147467259\r\n"
              "Description\r\n"
              "\tBad where clause\r\n"
              "\r\n");
}

TEST_F(ErrorHandlingTest, GuardedReturnsTheFallbackAfterAnError) {
    const std::string result = Guarded(Procedure{"ReturnDir", "aml_func_mod"}, std::string{}, []() -> std::string {
        throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
    });
    EXPECT_EQ(result, "");
    EXPECT_EQ(Guarded(Procedure{"Count", "m"}, -1, [] { return 4; }), 4);
    EXPECT_EQ(ui->ErrorReports().size(), 1u);
}

TEST_F(ErrorHandlingTest, PassedOnErrorShowsBothLocationsAndOneBlock) {
    const Procedure inner{"DateToJulian", "QuickSortNonCase"};
    const Procedure outer{"DatesAscending", "QuickSortNonCase"};
    Guarded(outer, [&] {
        PassedOn(inner, []() -> int { throw platform::RuntimeError(platform::vberr::ObjectNotSet); });
    });

    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_EQ(ui->ErrorReports()[0],
              "Record Call Stack Sequence - Bottom line is error line.\r\n"
              "\r\n"
              "\tDatesAscending QuickSortNonCase \r\n"
              "\tDateToJulian QuickSortNonCase \r\n"
              "\r\n"
              "Error Number \r\n"
              "\t91\r\n"
              "Description\r\n"
              "\tObject variable or With block variable not set\r\n"
              "\r\n");
}

TEST_F(ErrorHandlingTest, PassedOnKeepsNumberAndSource) {
    try {
        PassedOn(Procedure{"OpenDoc", "tessaly_MediaDialog"},
                 [] { throw platform::ComError(53, "Shell", "File not found"); });
        FAIL() << "the error was not passed on";
    } catch (const platform::ComError& e) {
        EXPECT_EQ(e.Number(), 53);
        EXPECT_EQ(e.Source(), "Shell");
        EXPECT_EQ(e.Description().rfind("\tOpenDoc tessaly_MediaDialog \r\n\r\nError Number ", 0), 0u);
    }
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(ErrorHandlingTest, ChainOfThreeShowsThreeLocationsInCallOrder) {
    Guarded(Procedure{"Top", "a"}, [] {
        PassedOn(Procedure{"Middle", "b"}, [] {
            PassedOn(Procedure{"Bottom", "c", 7}, [] { throw platform::RuntimeError(13); });
        });
    });
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_EQ(ui->ErrorReports()[0],
              "Record Call Stack Sequence - Bottom line is error line.\r\n\r\n"
              "\tTop a \r\n\tMiddle b \r\n\tBottom c Line : 7\r\n"
              "\r\nError Number \r\n\t13\r\nDescription\r\n\tType mismatch\r\n\r\n");
}

TEST_F(ErrorHandlingTest, PassOnNeverReportedLeavesTheNextReportUnformatted) {
    try {
        PassedOn(Procedure{"Fill_TreeView", "frmSummarize"}, [] { throw platform::RuntimeError(9); });
    } catch (const platform::ComError&) {
        // a caller that ignores errors
    }
    Guarded(Procedure{"Form_Load", "frmReport"}, [] { throw platform::ComError(5, "x", "plain text"); });
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_EQ(ui->ErrorReports()[0],
              "Record Call Stack Sequence - Bottom line is error line.\r\n\r\n\tForm_Load frmReport \r\nplain text");

    // The report cleared the state: the next one is formatted again.
    Guarded(Procedure{"Form_Load", "frmReport"}, [] { throw platform::ComError(5, "x", "plain text"); });
    EXPECT_NE(ui->ErrorReports()[1].find("Error Number "), std::string::npos);
}

TEST_F(ErrorHandlingTest, TwoReportsReuseOneWindow) {
    Guarded(Procedure{"First", "m"}, [] { throw platform::ComError(1, "s", "one"); });
    Guarded(Procedure{"Second", "m"}, [] { throw platform::ComError(2, "s", "two"); });
    EXPECT_EQ(ui->ErrorReportWindowsCreated(), 1);
    ASSERT_EQ(ui->ErrorReports().size(), 2u);
    EXPECT_NE(ui->ErrorReports()[1].find("\tSecond m \r\n"), std::string::npos);
    EXPECT_EQ(ui->ErrorReports()[1].find("one"), std::string::npos);
}

TEST_F(ErrorHandlingTest, WindowThatCannotBeCreatedFallsBackToABoxAfterABeep) {
    ui->SetErrorReportWindowAvailable(false);
    Guarded(Procedure{"Form_Load", "frmAbout"}, [] { throw platform::ComError(7, "s", "Out of memory"); });

    EXPECT_EQ(ui->Beeps(), 1);
    EXPECT_TRUE(ui->ErrorReports().empty());
    ASSERT_EQ(ui->MessageBoxes().size(), 1u);
    const auto& box = ui->MessageBoxes()[0];
    EXPECT_EQ(box.style, 48);
    EXPECT_EQ(box.title, "Unexpected Program Error");
    EXPECT_EQ(box.text,
              "An error has occured in the application.   Record the call stack sequence\r\n"
              "and the description of the error.\r\n"
              "\r\n"
              "Error Call Stack Sequence \r\n"
              "\tForm_Load frmAbout \r\n"
              "\r\n"
              "Error Number \r\n"
              "\t7\r\n"
              "Description\r\n"
              "\tOut of memory\r\n"
              "\r\n");

    // Once it can be created, the next report opens it.
    ui->SetErrorReportWindowAvailable(true);
    Guarded(Procedure{"Form_Load", "frmAbout"}, [] { throw platform::ComError(7, "s", "Out of memory"); });
    EXPECT_EQ(ui->ErrorReports().size(), 1u);
}

TEST_F(ErrorHandlingTest, ClickShowsThePlainBoxAndNoReportWindow) {
    GuardedClick("OpenTable", [] { throw platform::ComError(91, "TessalyOpenTable", "Object variable or With block variable not set"); });

    EXPECT_TRUE(ui->ErrorReports().empty());
    EXPECT_EQ(ui->ErrorReportWindowsCreated(), 0);
    ASSERT_EQ(ui->MessageBoxes().size(), 1u);
    const auto& box = ui->MessageBoxes()[0];
    EXPECT_EQ(box.text,
              "ICommand_OnClick OpenTable \r\n91\r\nTessalyOpenTable\r\nObject variable or With block variable not set");
    EXPECT_EQ(box.style, 0);
    EXPECT_EQ(box.title, platform::kDefaultMessageBoxTitle);
}

TEST_F(ErrorHandlingTest, ClickLeavesAPendingPassOnAlone) {
    try {
        PassedOn(Procedure{"Inner", "m"}, [] { throw platform::RuntimeError(9); });
    } catch (const platform::ComError&) {
    }
    GuardedClick("cmdAbout", [] { throw platform::RuntimeError(5); });
    Guarded(Procedure{"Outer", "m"}, [] { throw platform::ComError(5, "s", "already formatted"); });
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_EQ(ui->ErrorReports()[0].substr(ui->ErrorReports()[0].size() - 17), "already formatted");
}

struct ExceptionCase {
    const char* name;
    void (*raise)();
    std::int32_t number;
    const char* description;
};

class ExceptionMappingTest : public ErrorHandlingTest, public ::testing::WithParamInterface<ExceptionCase> {};

TEST_P(ExceptionMappingTest, AnyExceptionBecomesAnError) {
    const ExceptionCase& c = GetParam();
    try {
        PassedOn(Procedure{"P", "m"}, c.raise);
        FAIL() << "the error was not passed on";
    } catch (const platform::ComError& e) {
        EXPECT_EQ(e.Number(), c.number);
        const std::string expected = std::string("\tP m \r\n\r\nError Number \r\n\t") + std::to_string(c.number) +
                                     "\r\nDescription\r\n\t" + c.description + "\r\n\r\n";
        EXPECT_EQ(e.Description(), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExceptionMappingTest,
    ::testing::Values(
        ExceptionCase{"ComError", [] { throw platform::ComError(-2147467259, "host", "Unspecified error"); },
                      -2147467259, "Unspecified error"},
        ExceptionCase{"BadAlloc", [] { throw std::bad_alloc(); }, 7, "Out of memory"},
        ExceptionCase{"OutOfRange", [] { throw std::out_of_range("vector::_M_range_check"); }, 9,
                      "Subscript out of range"},
        ExceptionCase{"OtherStd", [] { throw std::invalid_argument("stod"); }, 5, "stod"},
        ExceptionCase{"NotStd", [] { throw 42; }, 5, "Invalid procedure call or argument"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaly
