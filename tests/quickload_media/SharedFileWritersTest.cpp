// Writers that share QuickLoad.txt (two desktops on one lesson folder, a
// sync tool) and files the user may only read.
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "QuickLoadTestSupport.h"
#include "platform/com/ComError.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/LayerFile.h"
#include "platform/map/MapDocument.h"
#include "src/quickload_media/QuickLoadEntry.h"

namespace qltest {
namespace {

namespace fs = std::filesystem;
using tessaly::QuickLoadEntry;

std::set<std::string> Names(const std::string& file) {
    std::set<std::string> names;
    for (const QuickLoadEntry& entry : tessaly::ReadQuickLoadFile(file)) names.insert(entry.name);
    return names;
}

// A child process running `body`, which gives what went wrong (written to
// stderr) or nothing; it ends without running anything of this process's.
pid_t Spawn(const std::function<std::string()>& body) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    std::string said;
    try {
        said = body();
    } catch (const std::exception& error) {
        said = std::string("raised: ") + error.what();
    }
    std::fprintf(stderr, "%s", said.c_str());
    ::_exit(said.empty() ? 0 : 1);
}
bool Succeeded(pid_t child) {
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SharedFileWritersTest, EveryAcknowledgedBookmarkSurvivesAnotherProcessDeletingReferencesMeanwhile) {
    TempFolder temp;
    const std::string file = (temp.Path() / "QuickLoad.txt").string();
    const fs::path done = temp.Path() / "adding-done";
    tessaly::AppendQuickLoadEntries(file, {tessaly::QueryEntry("kept", "\"A\" = 1")});
    // One desktop adds 200 bookmarks, each acknowledged when the append returns ...
    const pid_t adder = Spawn([&] {
        for (int i = 0; i < 200; ++i)
            tessaly::AppendQuickLoadEntries(file, {tessaly::BookmarkEntry("mark " + std::to_string(i), i, i, i, i)});
        WriteBytes(done, "");
        return std::string();
    });
    // ... while the other adds a scratch query and deletes it, again and again.
    const pid_t deleter = Spawn([&] {
        for (int rounds = 0; !fs::exists(done) || rounds < 20; ++rounds) {
            tessaly::AppendQuickLoadEntries(file, {tessaly::QueryEntry("scratch", "x")});
            const auto entries = tessaly::ReadQuickLoadFile(file);
            std::vector<bool> marked;
            for (const QuickLoadEntry& entry : entries) marked.push_back(entry.name == "scratch");
            tessaly::RemoveQuickLoadEntries(file, entries, marked);
            if (rounds > 100000) return std::string("the adding never ended");
        }
        return std::string();
    });
    EXPECT_TRUE(Succeeded(adder));
    EXPECT_TRUE(Succeeded(deleter));
    std::set<std::string> expected = {"kept"};
    for (int i = 0; i < 200; ++i) expected.insert("mark " + std::to_string(i));
    EXPECT_EQ(Names(file), expected);
}

TEST(SharedFileWritersTest, AnAppendWaitingWhileDeleteReferenceRewritesGoesIntoTheNewFile) {
    TempFolder temp;
    const std::string file = (temp.Path() / "QuickLoad.txt").string();
    tessaly::AppendQuickLoadEntries(file, {tessaly::QueryEntry("old", "x"), tessaly::QueryEntry("kept", "y")});
    const auto entries = tessaly::ReadQuickLoadFile(file);

    // Between Delete Reference's second reading and its rename another writer appends.
    std::thread appender;
    tessaly::SetBeforeRewriteForTesting([&] {
        appender = std::thread([&] { tessaly::AppendQuickLoadEntries(file, {tessaly::QueryEntry("late", "z")}); });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    });
    tessaly::RemoveQuickLoadEntries(file, entries, {true, false});
    tessaly::SetBeforeRewriteForTesting({});
    appender.join();
    EXPECT_EQ(Names(file), (std::set<std::string>{"kept", "late"}));
}

// As a user who may not write them (root may write anything: the check runs
// as nobody), read-only files in a writable folder stay byte for byte as they
// were, and each save or delete says it failed.
TEST(SharedFileWritersTest, ReadOnlyFilesStayAsTheyWereAndEachWriteReportsItsError) {
    EXPECT_TRUE(Succeeded(Spawn([]() -> std::string {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0 ||
                                 ::setresuid(65534, 65534, 65534) != 0))
            return "cannot become nobody";
        TempFolder temp;
        const fs::path document = temp.Path() / "lesson.tmd", layerFile = temp.Path() / "roads.tlyr",
                       quickLoad = temp.Path() / "QuickLoad.txt";
        platform::MapDocument map;
        map.Save(document.string());
        const auto layer = platform::FeatureLayer::Open("Roads", (temp.Path() / "roads.shp").string());
        platform::SaveLayerFile(*layer, layerFile.string());
        tessaly::AppendQuickLoadEntries(quickLoad.string(), {tessaly::QueryEntry("one", "x")});

        std::string failures;
        const auto refused = [&](const fs::path& path, long expected, const std::function<void()>& write) {
            fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
            const std::string before = ReadBytes(path);
            try {
                write();
                failures += path.filename().string() + " was written. ";
            } catch (const platform::ComError& error) {
                if (error.Number() != expected)
                    failures += path.filename().string() + ": error " + std::to_string(error.Number()) + ". ";
            }
            if (ReadBytes(path) != before) failures += path.filename().string() + " changed. ";
            if (std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()) != 3)
                failures += "a file was left beside " + path.filename().string() + ". ";
        };
        const long fail = static_cast<long>(static_cast<std::int32_t>(0x80004005));
        refused(document, fail, [&] { map.Save(document.string()); });
        refused(layerFile, fail, [&] { platform::SaveLayerFile(*layer, layerFile.string()); });
        const auto entries = tessaly::ReadQuickLoadFile(quickLoad.string());
        refused(quickLoad, platform::vberr::PathFileAccess,
                [&] { tessaly::RemoveQuickLoadEntries(quickLoad.string(), entries, {true}); });
        refused(quickLoad, platform::vberr::PathFileAccess,
                [&] { tessaly::AppendQuickLoadEntries(quickLoad.string(), {tessaly::QueryEntry("two", "y")}); });
        return failures;
    })));
}

}  // namespace
}  // namespace qltest
