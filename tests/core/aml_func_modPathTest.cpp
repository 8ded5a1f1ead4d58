#include "src/core/aml_func_mod.h"

#include "src/core/ErrorHandling.h"

#include "platform/forms/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tessaly {
namespace {

namespace fs = std::filesystem;

// A fresh folder that is also the working folder for the test, so that names
// holding "\" (plain characters here) can be made and tested relative to it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "tessaly-aml-XXXXXX").string();
        path_ = fs::path(mkdtemp(pattern.data())).string();
        previous_ = fs::current_path();
        fs::current_path(path_);
    }
    ~TempFolder() {
        fs::current_path(previous_);
        fs::remove_all(path_);
    }
    const std::string& Path() const { return path_; }

    // Makes a file, with any folders in front of it.
    static void Touch(const std::string& name) {
        const fs::path path(name);
        if (path.has_parent_path()) fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }

private:
    std::string path_;
    fs::path previous_;
};

struct SplitCase {
    const char* name;
    std::string path;
    const char* sep;
    std::string dir;
    std::string file;
};

class PathPartsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PathPartsTest, FolderAndLastPart) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(ReturnDir(c.path, c.sep), c.dir);
    EXPECT_EQ(ReturnFilename(c.path, c.sep), c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathPartsTest,
    ::testing::Values(
        SplitCase{"DriveFolderFile", "C:\\dir\\file.txt", "\\", "C:\\dir\\", "file.txt"},
        SplitCase{"ServerShare", "\\\\server\\share\\f.txt", "\\", "\\\\server\\share\\", "f.txt"},
        SplitCase{"TrailingBackslash", "C:\\dir\\", "\\", "C:\\", "dir"},
        SplitCase{"BareNameBackslash", "file.txt", "\\", "file.txt\\", "file.txt"},
        SplitCase{"ComponentsKeepBlanksBackslash", "C:\\My Data \\x.shp", "\\", "C:\\My Data \\", "x.shp"},
        SplitCase{"ApostropheIsPlainBackslash", "C:\\O'Brien\\it's.shp", "\\", "C:\\O'Brien\\", "it's.shp"},
        SplitCase{"TwoApostrophesBackslash", "C:\\a'b\\c'd\\e.txt", "\\", "C:\\a'b\\c'd\\", "e.txt"},
        SplitCase{"RootFolderFile", "/home/dir/file.txt", "/", "/home/dir/", "file.txt"},
        SplitCase{"DoubleSlashShare", "//server/share/f.txt", "/", "//server/share/", "f.txt"},
        SplitCase{"TrailingSlash", "/home/dir/", "/", "/home/", "dir"},
        SplitCase{"BareNameSlash", "file.txt", "/", "file.txt/", "file.txt"},
        SplitCase{"ComponentsKeepBlanksSlash", "/data/My Data /x.shp", "/", "/data/My Data /", "x.shp"},
        SplitCase{"LastComponentKeepsBlanks", "/data/ Willow Creek /", "/", "/data/", " Willow Creek "},
        SplitCase{"BlankComponentsAreNames", " / / ", "/", " / /", " "},
        SplitCase{"WildcardCharactersArePlain", "/data/what?/*.shp", "/", "/data/what?/", "*.shp"},
        SplitCase{"ApostropheIsPlainSlash", "/data/O'Brien/it's.shp", "/", "/data/O'Brien/", "it's.shp"},
        SplitCase{"TwoApostrophesSlash", "/a'b/c'd/e.txt", "/", "/a'b/c'd/", "e.txt"},
        SplitCase{"FileAtRoot", "/x.shp", "/", "/", "x.shp"},
        SplitCase{"SlashIsTheDefault", "/data/lesson/QuickLoad.txt", "/", "/data/lesson/", "QuickLoad.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PathPartsDefaultTest, SeparatorDefaultsToSlash) {
    EXPECT_EQ(ReturnDir("/data/a b/x.tmd"), "/data/a b/");
    EXPECT_EQ(ReturnFilename("/data/a b/x.tmd"), "x.tmd");
}

TEST(PathPartsErrorTest, PathOfNothingButSeparatorsIsReportedAsSubscriptError) {
    platform::ScopedHeadlessUi ui;
    ResetErrorHandling();
    for (const std::string path : {"", "/", "//"}) {
        EXPECT_EQ(ReturnDir(path), "") << "path «" << path << "»";
        EXPECT_EQ(ReturnFilename(path), "") << "path «" << path << "»";
    }
    ASSERT_EQ(ui->ErrorReports().size(), 6u);
    EXPECT_NE(ui->ErrorReports()[0].find("\tReturnDir aml_func_mod \r\n\r\nError Number \r\n\t9\r\n"),
              std::string::npos);
    EXPECT_NE(ui->ErrorReports()[1].find("\tReturnFilename aml_func_mod \r\n"), std::string::npos);
}

TEST(ExistFileDirTest, TrueOnlyForAnExistingFileOrFolder) {
    TempFolder temp;
    TempFolder::Touch("table.dbf");
    TempFolder::Touch("a?.dbf");
    fs::create_directory("folder");
    const std::vector<std::pair<std::string, bool>> cases = {
        {"", false},
        {"table.dbf", true},
        {temp.Path() + "/table.dbf", true},
        {"folder", true},
        {temp.Path() + "/folder/", true},
        {"missing.dbf", false},
        {"a?.dbf", true},
        {temp.Path() + "/a?.dbf", true},
        {"*.dbf", false},
        {temp.Path() + "/tab?e.dbf", false},
    };
    for (const auto& [path, exists] : cases) EXPECT_EQ(ExistFileDir(path), exists) << "path «" << path << "»";
}

TEST(GetFullFileStringTest, MissingPathComesBackUnchanged) {
    TempFolder temp;
    const std::string missing = temp.Path() + "/nothing/../here.tmd";
    EXPECT_EQ(GetFullFileString(missing), missing);
}

TEST(GetFullFileStringTest, ExistingPathComesBackResolved) {
    TempFolder temp;
    TempFolder::Touch("lesson/map.tmd");
    fs::create_directory_symlink(temp.Path() + "/lesson", "link");
    const std::string canonical = fs::canonical(temp.Path() + "/lesson/map.tmd").string();
    EXPECT_EQ(GetFullFileString(temp.Path() + "/link/map.tmd"), canonical);
    EXPECT_EQ(GetFullFileString(temp.Path() + "/lesson/../lesson/map.tmd"), canonical);
}

TEST(GetFullFileStringTest, QuestionMarkAndStarAreNameCharacters) {
    TempFolder temp;
    TempFolder::Touch("what?/*.tmd");
    const std::string canonical = fs::canonical(temp.Path() + "/what?/*.tmd").string();
    EXPECT_EQ(GetFullFileString(temp.Path() + "/what?/../what?/*.tmd"), canonical);
}

TEST(GetFullFileStringTest, LongFormOf260OrMoreComesBackUnchanged) {
    TempFolder temp;
    const std::string deep = temp.Path() + "/" + std::string(150, 'a') + "/" + std::string(150, 'b');
    fs::create_directories(deep);
    const std::string dotted = deep + "/.";
    EXPECT_EQ(GetFullFileString(dotted), dotted);
}

struct UniqueCase {
    const char* name;
    std::vector<std::string> existing;
    std::string request;
    const char* sep;
    std::string expected;
};

class MakeUniqueFilenameTest : public ::testing::TestWithParam<UniqueCase> {};

TEST_P(MakeUniqueFilenameTest, FirstFreeNumberedName) {
    const UniqueCase& c = GetParam();
    TempFolder temp;
    for (const std::string& name : c.existing) TempFolder::Touch(name);
    EXPECT_EQ(MakeUniqueFilename(c.request, c.sep), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MakeUniqueFilenameTest,
    ::testing::Values(
        UniqueCase{"FreeNameKept", {}, "out/summary.dbf", "/", "out/summary.dbf"},
        UniqueCase{"NumberTwoFirst", {"out/summary.dbf"}, "out/summary.dbf", "/", "out/summary_2.dbf"},
        UniqueCase{"NextFreeNumber", {"out/summary.dbf", "out/summary_2.dbf"}, "out/summary.dbf", "/",
                   "out/summary_3.dbf"},
        UniqueCase{"NoExtension", {"out/table"}, "out/table", "/", "out/table_2"},
        UniqueCase{"ExistingFolder", {"out/x"}, "out", "/", "out_2"},
        UniqueCase{"DotInFolderIsNoExtension", {"data/a.b/cd"}, "data/a.b/cd", "/", "data/a.b/cd_2"},
        UniqueCase{"DotBeyondLastFiveIsNoExtension", {"notes.backup"}, "notes.backup", "/", "notes.backup_2"},
        UniqueCase{"LastFiveCountCharactersNotBytes", {"carte.éééé"}, "carte.éééé", "/", "carte_2.éééé"},
        UniqueCase{"SixCharactersFromTheDotIsNoExtension", {"carte.ééééé"}, "carte.ééééé", "/", "carte.ééééé_2"},
        UniqueCase{"QuestionMarkNameExists", {"out/a?.dbf"}, "out/a?.dbf", "/", "out/a?_2.dbf"},
        UniqueCase{"StarNamesExist", {"out/*", "out/*_2"}, "out/*", "/", "out/*_3"},
        UniqueCase{"LastDotOnly", {"data.tar.gz"}, "data.tar.gz", "/", "data.tar_2.gz"},
        UniqueCase{"BackslashNoExtension", {"C:\\out\\table"}, "C:\\out\\table", "\\", "C:\\out\\table_2"},
        UniqueCase{"BackslashExtension", {"C:\\out\\summary.dbf"}, "C:\\out\\summary.dbf", "\\",
                   "C:\\out\\summary_2.dbf"},
        UniqueCase{"BackslashDotInFolder", {"C:\\a.b\\cd"}, "C:\\a.b\\cd", "\\", "C:\\a.b\\cd_2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MakeUniqueFilenameAbsoluteTest, WorksOnFullPaths) {
    TempFolder temp;
    TempFolder::Touch("summary.dbf");
    EXPECT_EQ(MakeUniqueFilename(temp.Path() + "/summary.dbf"), temp.Path() + "/summary_2.dbf");
}

}  // namespace
}  // namespace tessaly
