#include "platform/registry/WholeFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <tuple>

#include "RegistryFixture.h"

namespace {

namespace fs = std::filesystem;
using WholeFileTest = RegistryTest;

// A save killed half way leaves its temporary file; the next save of the same
// file removes it once it is a day old, and nothing else.
TEST_F(WholeFileTest, ASaveRemovesOnlyItsOwnTemporariesOlderThanADay) {
    const std::tuple<const char*, int, bool> leftovers[] = {  // name, age in hours, removed
        {".registry.json.Ab3xZ9", 25, true},  {".registry.json.Qw8rT2", 23, false},
        {".registry.json.Ab3xZ", 48, false},  {".registry.json.Ab3-Z9", 48, false},
        {".other.json.Ab3xZ9", 48, false},    {"registry.json.Ab3xZ9", 48, false}};
    for (const auto& [name, age, removed] : leftovers) {
        std::ofstream(Folder() / name) << "half a save";
        fs::last_write_time(Folder() / name, fs::file_time_type::clock::now() - std::chrono::hours(age));
    }
    WriteFile("old");
    ASSERT_TRUE(platform::wholefile::Replace(File().string(), "new"));
    EXPECT_EQ(ReadFile(), "new");
    for (const auto& [name, age, removed] : leftovers) EXPECT_EQ(!fs::exists(Folder() / name), removed) << name;
}

TEST_F(WholeFileTest, ANewFileTakesTheUmaskAndTheUmaskStaysAsItWas) {
    const mode_t previous = ::umask(027);
    ASSERT_TRUE(platform::wholefile::Replace(File().string(), "{}"));
    const mode_t after = ::umask(previous);
    EXPECT_EQ(after, 027u);
    EXPECT_EQ(fs::status(File()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(WholeFileTest, AReplacedFileKeepsItsModeAndWhereAllowedItsOwner) {
    WriteFile("old");
    ::chmod(File().c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(File().c_str(), 65534, 65534), 0);
    }
    ASSERT_TRUE(platform::wholefile::Replace(File().string(), "new"));
    struct stat info {};
    ASSERT_EQ(::stat(File().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(info.st_uid, 65534u) << "a save by root does not take the file over";
    }
    EXPECT_EQ(ReadFile(), "new");
}

}  // namespace
