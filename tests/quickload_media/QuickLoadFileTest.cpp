#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "QuickLoadTestSupport.h"
#include "platform/com/ComError.h"
#include "src/quickload_media/NumberText.h"
#include "src/quickload_media/QuickLoadEntry.h"

namespace qltest {
namespace {

using tessaly::BookmarkEntry;
using tessaly::LayerEntry;
using tessaly::QueryEntry;
using tessaly::QuickLoadEntry;
using tessaly::QuickLoadKind;
using Entries = std::vector<QuickLoadEntry>;

QuickLoadEntry Bookmark(std::string name, std::vector<std::string> coordinates) {
    return {QuickLoadKind::Bookmark, std::move(name), std::move(coordinates)};
}

class QuickLoadFileTest : public ::testing::Test {
protected:
    std::string File() const { return (temp_.Path() / "QuickLoad.txt").string(); }
    Entries Read(const std::string& bytes) const {
        WriteBytes(File(), bytes);
        return tessaly::ReadQuickLoadFile(File());
    }
    std::int32_t ReadFailure(const std::string& bytes) const {
        try {
            Read(bytes);
        } catch (const platform::ComError& error) {
            return error.Number();
        }
        return 0;
    }
    TempFolder temp_;
};

TEST_F(QuickLoadFileTest, ReadsEachKindInFileOrder) {
    const Entries entries = Read(
        "<Bookmark>\r\nLake\r\n494800\r\n4758000\r\n498800\r\n4761200\r\n"
        "<Query>\r\nBig towns\r\n\"POP\" > 5000\r\n"
        "<Layer>\r\nWells\r\nlayers\\Wells.tlyr\r\n");
    EXPECT_EQ(entries, (Entries{Bookmark("Lake", {"494800", "4758000", "498800", "4761200"}),
                                QueryEntry("Big towns", "\"POP\" > 5000"), LayerEntry("Wells", "layers\\Wells.tlyr")}));
}

TEST_F(QuickLoadFileTest, LinesOutsideEntriesAreSkipped) {
    const Entries expected{QueryEntry("A", "x = 1"), LayerEntry("B", "b.tlyr")};
    struct Case {
        const char* name;
        std::string bytes;
        Entries entries;
    };
    const Case cases[] = {
        {"plain", "<Query>\r\nA\r\nx = 1\r\n<Layer>\r\nB\r\nb.tlyr\r\n", expected},
        {"lines between and around",
         "notes\r\n\r\n<Query>\r\nA\r\nx = 1\r\nstray\r\n<Layer>\r\nB\r\nb.tlyr\r\ntrailing\r\n", expected},
        {"marker with a blank", " <Query>\r\nA\r\nx = 1\r\n", {}},
        {"marker with a trailing blank", "<Query> \r\nA\r\nx = 1\r\n", {}},
        {"marker in other case", "<query>\r\nA\r\nx = 1\r\n<LAYER>\r\nB\r\nb\r\n", {}},
        {"only unrelated lines", "one\r\ntwo\r\n", {}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.bytes), c.entries) << c.name;
}

TEST_F(QuickLoadFileTest, ValueLinesAreTakenWhateverTheyHold) {
    EXPECT_EQ(Read("<Layer>\r\n<Query>\r\nq.tlyr\r\nx = 1\r\n"), (Entries{LayerEntry("<Query>", "q.tlyr")}))
        << "a marker as the name of a layer entry is its name";
    EXPECT_EQ(Read("<Query>\r\n\r\n\r\n"), (Entries{QueryEntry("", "")}));
}

TEST_F(QuickLoadFileTest, EveryLineEndReads) {
    const Entries expected{QueryEntry("A", "x = 1"), Bookmark("B", {"1", "2", "3", "4"})};
    for (const char* end : {"\r\n", "\r", "\n"}) {
        const std::string e = end;
        EXPECT_EQ(Read("<Query>" + e + "A" + e + "x = 1" + e + "<Bookmark>" + e + "B" + e + "1" + e + "2" + e + "3" +
                       e + "4"),
                  expected)
            << "line end " << static_cast<int>(end[0]) << ", no end after the last line";
    }
}

TEST_F(QuickLoadFileTest, NamesWrittenInWindows1252ReadAsTheSameText) {
    EXPECT_EQ(Read("<Query>\r\nN\xE6ringsliv \x96 S\xF8r\r\n\"A\" = 'Bod\xF8'\r\n"),
              (Entries{QueryEntry("N\xC3\xA6ringsliv \xE2\x80\x93 S\xC3\xB8r", "\"A\" = 'Bod\xC3\xB8'")}));
}

TEST_F(QuickLoadFileTest, DuplicateNamesAreAllKept) {
    EXPECT_EQ(Read("<Query>\r\nA\r\nx = 1\r\n<Query>\r\nA\r\nx = 2\r\n"),
              (Entries{QueryEntry("A", "x = 1"), QueryEntry("A", "x = 2")}));
}

TEST_F(QuickLoadFileTest, AFileEndingInsideAnEntryIsInputPastEnd) {
    const char* cases[] = {
        "<Bookmark>\r\nLake\r\n1\r\n2\r\n3\r\n",  // four lines after the marker
        "<Query>\r\nA\r\n",
        "<Layer>\r\n",
        "<Query>\r\nA\r\nx = 1\r\n<Layer>\r\nB",
    };
    for (const char* bytes : cases) EXPECT_EQ(ReadFailure(bytes), platform::vberr::InputPastEndOfFile) << bytes;
}

TEST_F(QuickLoadFileTest, AMissingFileIsFileNotFound) {
    EXPECT_THROW(tessaly::ReadQuickLoadFile((temp_.Path() / "none.txt").string()), platform::ComError);
}

TEST_F(QuickLoadFileTest, EntriesAppendAndReadBack) {
    const Entries entries{BookmarkEntry("Lake", 494800.5, 4758000, -0.25, 1e20), QueryEntry("Q", "\"A\" > 1"),
                          LayerEntry("Wells", "layers/Wells.tlyr")};
    tessaly::AppendQuickLoadEntries(File(), entries);
    EXPECT_EQ(ReadBytes(File()),
              "<Bookmark>\r\nLake\r\n494800.5\r\n4758000\r\n-0.25\r\n1e+20\r\n"
              "<Query>\r\nQ\r\n\"A\" > 1\r\n"
              "<Layer>\r\nWells\r\nlayers/Wells.tlyr\r\n");
    EXPECT_EQ(tessaly::ReadQuickLoadFile(File()), entries);
}

TEST_F(QuickLoadFileTest, ALineBreakInAValueIsWrittenAsABlank) {
    tessaly::AppendQuickLoadEntries(File(), {QueryEntry("Two\r\nlines", "\"A\" > 1\r\nAND \"B\" < 2\n OR\r\"C\" = 3")});
    EXPECT_EQ(tessaly::ReadQuickLoadFile(File()),
              (Entries{QueryEntry("Two lines", "\"A\" > 1 AND \"B\" < 2  OR \"C\" = 3")}));
}

TEST_F(QuickLoadFileTest, LayerPathsReadWithEitherSeparator) {
    EXPECT_EQ(tessaly::LayerFilePath("/maps/lake/", "layers\\sub\\Wells.tlyr"), "/maps/lake/layers/sub/Wells.tlyr");
    EXPECT_EQ(tessaly::LayerFilePath("/maps/lake/", "layers/Wells.tlyr"), "/maps/lake/layers/Wells.tlyr");
    EXPECT_EQ(tessaly::LayerFilePath("/maps/lake/", "Wells.tlyr"), "/maps/lake/Wells.tlyr");
}

TEST(NumberTextTest, WritesUpTo15SignificantDigitsWithAPoint) {
    const std::pair<double, const char*> cases[] = {
        {494800, "494800"},    {0.25, "0.25"},    {-1234.5, "-1234.5"},     {1.0 / 3, "0.333333333333333"},
        {1e20, "1e+20"},       {1e-7, "1e-07"},   {4758000.123456789, "4758000.12345679"}, {0, "0"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(tessaly::NumberText(value), text) << value;
}

TEST(NumberTextTest, ReadsWithAPointOrFailingThatAComma) {
    const std::pair<const char*, double> cases[] = {
        {"494800", 494800}, {"0.25", 0.25},   {"0,25", 0.25},      {" 12 ", 12},    {"-3,5", -3.5},
        {"+7", 7},          {"1e+20", 1e20},  {"1.5E-3", 0.0015},  {".5", 0.5},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(tessaly::TextToNumber(text), value) << text;
}

TEST(NumberTextTest, TextThatIsNoNumberIsATypeMismatch) {
    for (const char* text : {"", "abc", "1.234,5", "1,234,5", "12 m", "+-1", "0x10", "1.2.3", "nan", "inf",
                             "-Infinity"}) {
        try {
            tessaly::TextToNumber(text);
            ADD_FAILURE() << "read \"" << text << "\"";
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Number(), platform::vberr::TypeMismatch) << text;
        }
    }
}

}  // namespace
}  // namespace qltest
