#include "platform/os/Os.h"
#include "tests/support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using namespace platform;
namespace fs = std::filesystem;

namespace {

using testsupport::ScopedEnv;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "tessaly-os-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::string LongPath(const std::string& path) {
    char buffer[4096];
    const std::uint32_t length = GetLongPathName(path, buffer, sizeof buffer);
    return length == 0 ? std::string("<none>") : std::string(buffer, length);
}

}  // namespace

TEST(GetTempPath, EndsInOneSlash) {
    struct Case {
        std::optional<std::string> tmpdir;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {std::nullopt, "/tmp/"},
        {"", "/tmp/"},
        {"/var/scratch", "/var/scratch/"},
        {"/var/scratch/", "/var/scratch/"},
    };
    for (const auto& c : cases) {
        ScopedEnv env("TMPDIR", c.tmpdir);
        char buffer[260];
        const std::uint32_t length = GetTempPath(sizeof buffer, buffer);
        EXPECT_EQ(length, c.expected.size()) << c.expected;
        EXPECT_EQ(std::string(buffer), c.expected);
    }
}

TEST(GetTempPath, TooSmallBufferGetsNothingAndTheLengthNeeded) {
    ScopedEnv env("TMPDIR", "/var/scratch");
    // "/var/scratch/" is 13 characters; with its NUL it needs 14.
    char exact[14];
    EXPECT_EQ(GetTempPath(sizeof exact, exact), 13u);
    char small[13];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(GetTempPath(sizeof small, small), 14u);
    EXPECT_EQ(std::string(small, sizeof small), std::string(13, 'x'));
    EXPECT_EQ(GetTempPath(0, nullptr), 14u);
}

TEST(GetUserName, GivesTheProcessUserWithItsNulCounted) {
    const passwd* entry = getpwuid(geteuid());
    const std::string expected = entry != nullptr ? entry->pw_name : std::getenv("USER");
    char buffer[255];
    std::uint32_t size = sizeof buffer;
    ASSERT_NE(GetUserName(buffer, &size), 0);
    EXPECT_EQ(size, expected.size() + 1);
    EXPECT_EQ(std::string(buffer), expected);

    char small[1] = {'x'};
    std::uint32_t smallSize = 1;
    EXPECT_EQ(GetUserName(small, &smallSize), 0);
    EXPECT_EQ(smallSize, expected.size() + 1);
    EXPECT_EQ(small[0], 'x');
}

TEST(GetLongPathName, ResolvesLinksAndRelativeParts) {
    TempFolder temp;
    const fs::path real = fs::canonical(temp.Path());
    fs::create_directory(real / "data");
    std::ofstream(real / "data" / "roads.shp") << "x";
    fs::create_directory_symlink(real / "data", real / "link");

    struct Case {
        std::string path;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {(real / "link" / "roads.shp").string(), (real / "data" / "roads.shp").string()},
        {(real / "link").string(), (real / "data").string()},
        {(real / "data" / ".." / "data" / "roads.shp").string(), (real / "data" / "roads.shp").string()},
        {(real / "link" / "missing.shp").string(), "<none>"},
        {"", "<none>"},
        {(real / "data" / "*.shp").string(), "<none>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LongPath(c.path), c.expected) << c.path;
    }
}

TEST(GetLongPathName, RelativePathBecomesAbsolute) {
    TempFolder temp;
    const fs::path real = fs::canonical(temp.Path());
    std::ofstream(real / "here.txt") << "x";
    const fs::path previous = fs::current_path();
    fs::current_path(real);
    const std::string result = LongPath("here.txt");
    fs::current_path(previous);
    EXPECT_EQ(result, (real / "here.txt").string());
}

TEST(GetLongPathName, TooSmallBufferGetsNothingAndTheLengthNeeded) {
    TempFolder temp;
    const std::string real = fs::canonical(temp.Path()).string();
    std::vector<char> buffer(real.size(), 'x');
    EXPECT_EQ(GetLongPathName(real, buffer.data(), static_cast<std::uint32_t>(buffer.size())), real.size() + 1);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), std::string(real.size(), 'x'));
    buffer.resize(real.size() + 1);
    EXPECT_EQ(GetLongPathName(real, buffer.data(), static_cast<std::uint32_t>(buffer.size())), real.size());
    EXPECT_EQ(std::string(buffer.data()), real);
}

TEST(GetFileAttributes, TellsFilesFoldersAndNothing) {
    TempFolder temp;
    const fs::path folder = temp.Path();
    std::ofstream(folder / "table.dbf") << "x";
    fs::create_symlink(folder / "table.dbf", folder / "alias.dbf");
    fs::create_symlink(folder / "gone.dbf", folder / "dangling.dbf");

    struct Case {
        std::string path;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        {(folder / "table.dbf").string(), FILE_ATTRIBUTE_NORMAL},
        {(folder / "alias.dbf").string(), FILE_ATTRIBUTE_NORMAL},
        {folder.string(), FILE_ATTRIBUTE_DIRECTORY},
        {folder.string() + "/", FILE_ATTRIBUTE_DIRECTORY},
        {"", INVALID_FILE_ATTRIBUTES},
        {(folder / "missing.dbf").string(), INVALID_FILE_ATTRIBUTES},
        {(folder / "dangling.dbf").string(), INVALID_FILE_ATTRIBUTES},
        {(folder / "table.dbf").string() + "/", INVALID_FILE_ATTRIBUTES},
        {(folder / "*.dbf").string(), INVALID_FILE_ATTRIBUTES},
        {(folder / "table.db?").string(), INVALID_FILE_ATTRIBUTES},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFileAttributes(c.path), c.expected) << c.path;
    }
}

TEST(GetFileAttributes, StarAndQuestionMarkAreNameCharacters) {
    TempFolder temp;
    const fs::path odd = temp.Path() / "a*b?";
    std::ofstream(odd) << "x";
    EXPECT_EQ(GetFileAttributes(odd.string()), FILE_ATTRIBUTE_NORMAL);
    char buffer[4096];
    EXPECT_EQ(GetLongPathName(odd.string(), buffer, sizeof buffer), fs::canonical(odd).string().size());
}
