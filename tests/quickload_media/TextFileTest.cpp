#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "QuickLoadTestSupport.h"
#include "platform/com/ComError.h"
#include "src/quickload_media/TextFile.h"

namespace qltest {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

struct LinesCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

class TextFileTest : public ::testing::Test {
protected:
    fs::path File(const std::string& name = "list.txt") const { return temp_.Path() / name; }
    Lines Read(const std::string& bytes) const {
        WriteBytes(File(), bytes);
        return tessaly::ReadTextLines(File().string());
    }
    TempFolder temp_;
};

TEST_F(TextFileTest, LinesEndAtCrLfLoneCrOrLoneLf) {
    const LinesCase cases[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lone cr", "a\rb\r", {"a", "b"}},
        {"lone lf", "a\nb\n", {"a", "b"}},
        {"mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"last line without an end", "a\r\nb", {"a", "b"}},
        {"lf cr is two ends", "a\n\rb", {"a", "", "b"}},
        {"empty lines kept", "\r\n\r\na\r\n\r\n", {"", "", "a", ""}},
        {"empty file", "", {}},
        {"blanks and tabs kept", " a \t\r\n", {" a \t"}},
    };
    for (const LinesCase& c : cases) EXPECT_EQ(Read(c.bytes), c.lines) << c.name;
}

TEST_F(TextFileTest, LinesThatAreNotUtf8ReadAsWindows1252) {
    const LinesCase cases[] = {
        {"utf-8", "Bod\xC3\xB8\r\n", {"Bod\xC3\xB8"}},
        {"latin letters", "Bod\xF8 \xC5lesund\r\n", {"Bod\xC3\xB8 \xC3\x85lesund"}},
        {"sharp s, byte 223", "C\xDF\\maps\r\n", {"C\xC3\x9F\\maps"}},
        {"euro, dashes and quotes", "\x80 \x96 \x93x\x94\r\n", {"\xE2\x82\xAC \xE2\x80\x93 \xE2\x80\x9Cx\xE2\x80\x9D"}},
        {"undefined byte stays a control", "\x81\r\n", {"\xC2\x81"}},
        {"each line on its own", "Bod\xF8\r\nBod\xC3\xB8\r\n", {"Bod\xC3\xB8", "Bod\xC3\xB8"}},
        {"overlong form is not utf-8", "\xC0\xAF\r\n", {"\xC3\x80\xC2\xAF"}},
        {"byte-order mark dropped", "\xEF\xBB\xBF" "a\r\n", {"a"}},
    };
    for (const LinesCase& c : cases) EXPECT_EQ(Read(c.bytes), c.lines) << c.name;
}

// Dropping lines must leave every other line reading as it did, whatever the
// lines around the gap end or begin with.
TEST_F(TextFileTest, WithoutSomeLinesTheOthersReadTheSame) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<bool> drop;
        std::string kept;
    };
    const std::string bom = "\xEF\xBB\xBF";
    const Case cases[] = {
        {"line ends kept as they are", "a\rb\nc\r\nd", {false, true, false, false}, "a\rc\r\nd"},
        {"file's mark stays", bom + "a\r\nb\r\n", {true, false}, bom + "b\r\n"},
        {"lone cr before a lone lf", "a\rb\n\nc", {false, true, false, false}, "a\r\n\nc"},
        {"mark of a line that comes first", "a\r\n" + bom + "b\r\n", {true, false}, bom + bom + "b\r\n"},
        {"every line", "a\r\nb", {true, true}, ""},
    };
    for (const Case& c : cases) {
        WriteBytes(File(), c.bytes);
        const tessaly::TextFileContent content = tessaly::ReadTextFile(File().string());
        Lines expected;
        for (std::size_t i = 0; i < content.lines.size(); ++i)
            if (!c.drop[i]) expected.push_back(content.lines[i].text);
        const std::string kept = tessaly::BytesWithoutLines(content, c.drop);
        EXPECT_EQ(kept, c.kept) << c.name;
        EXPECT_EQ(Read(kept), expected) << c.name;
    }
}

TEST_F(TextFileTest, AMissingFileIsFileNotFound) {
    try {
        tessaly::ReadTextLines(File("nothing.txt").string());
        FAIL() << "read a missing file";
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), platform::vberr::FileNotFound);
    }
}

TEST_F(TextFileTest, AppendCreatesTheFileAndWritesUtf8WithCrLf) {
    tessaly::AppendTextLines(File().string(), {"<Query>", "Bod\xC3\xB8", "x = 1"});
    EXPECT_EQ(ReadBytes(File()), "<Query>\r\nBod\xC3\xB8\r\nx = 1\r\n");
}

TEST_F(TextFileTest, AppendStartsANewLineAfterALastLineWithoutAnEnd) {
    const LinesCase cases[] = {
        {"no end", "a", {"a", "b"}},
        {"crlf", "a\r\n", {"a", "b"}},
        {"lone cr", "a\r", {"a", "b"}},
        {"lone lf", "a\n", {"a", "b"}},
    };
    for (const LinesCase& c : cases) {
        WriteBytes(File(), c.bytes);
        tessaly::AppendTextLines(File().string(), {"b"});
        EXPECT_EQ(tessaly::ReadTextLines(File().string()), c.lines) << c.name;
    }
    WriteBytes(File(), "a");
    tessaly::AppendTextLines(File().string(), {"b"});
    EXPECT_EQ(ReadBytes(File()), "a\r\nb\r\n");
}

TEST_F(TextFileTest, AppendToAWindows1252FileKeepsBothReadable) {
    WriteBytes(File(), "Bod\xF8\r\n");
    tessaly::AppendTextLines(File().string(), {"\xC3\x85lesund"});
    EXPECT_EQ(tessaly::ReadTextLines(File().string()), (Lines{"Bod\xC3\xB8", "\xC3\x85lesund"}));
}

TEST_F(TextFileTest, AFailedAppendLeavesTheFileAsItWas) {
    const std::string before = "<Query>\r\nold\r\nx = 1\r\n";
    WriteBytes(File(), before);
    {
        ScopedFileSizeLimit limit(before.size() + 10);
        EXPECT_THROW(tessaly::AppendTextLines(File().string(), {"<Query>", "new one", "y = 2"}), platform::ComError);
    }
    EXPECT_EQ(ReadBytes(File()), before);
}

TEST_F(TextFileTest, AFailedAppendToANewFileLeavesNoFile) {
    {
        ScopedFileSizeLimit limit(5);
        EXPECT_THROW(tessaly::AppendTextLines(File().string(), {"<Query>", "new one", "y = 2"}), platform::ComError);
    }
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(TextFileTest, AppendIntoAMissingFolderIsPathNotFound) {
    try {
        tessaly::AppendTextLines(File("no/such/list.txt").string(), {"a"});
        FAIL() << "appended into a missing folder";
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), platform::vberr::PathNotFound);
    }
}

TEST_F(TextFileTest, ReplaceWritesTheBytesAndKeepsPermissions) {
    WriteBytes(File(), "old\nlines\n");
    fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    tessaly::LockedTextFile(File().string(), false).Replace("new\n\xF8");
    EXPECT_EQ(ReadBytes(File()), "new\n\xF8");
    EXPECT_EQ(fs::status(File()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp_.Path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST_F(TextFileTest, ReplaceWithNothingLeavesAnEmptyFile) {
    WriteBytes(File(), "old\r\n");
    tessaly::LockedTextFile(File().string(), false).Replace("");
    EXPECT_TRUE(fs::exists(File()));
    EXPECT_EQ(fs::file_size(File()), 0u);
}

TEST_F(TextFileTest, ReplaceThroughALinkChangesTheFileItPointsTo) {
    WriteBytes(File("real.txt"), "old\r\n");
    fs::create_symlink(File("real.txt"), File("link.txt"));
    tessaly::LockedTextFile(File("link.txt").string(), false).Replace("new\r\n");
    EXPECT_TRUE(fs::is_symlink(File("link.txt")));
    EXPECT_EQ(ReadBytes(File("real.txt")), "new\r\n");
}

TEST_F(TextFileTest, AFailedReplaceLeavesTheFileAsItWas) {
    WriteBytes(File(), "keep\r\n");
    {
        ScopedFileSizeLimit limit(3);
        EXPECT_THROW(tessaly::LockedTextFile(File().string(), false).Replace("a much longer line than allowed\r\n"),
                     platform::ComError);
    }
    EXPECT_EQ(ReadBytes(File()), "keep\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp_.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace qltest
