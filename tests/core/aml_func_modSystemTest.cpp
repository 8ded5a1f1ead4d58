#include "src/core/aml_func_mod.h"

#include "src/core/ErrorHandling.h"

#include "platform/forms/HeadlessBackend.h"
#include "platform/registry/Registry.h"
#include "tests/support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace tessaly {
namespace {

namespace fs = std::filesystem;

using testsupport::ScopedEnv;

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "tessaly-sys-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A registry file of the test's own.
class ReturnArcGISGeneralDirTest : public ::testing::Test {
protected:
    void SetValue(platform::HKEY root, const std::string& key, const std::string& name, const std::string& text) {
        platform::HKEY opened = nullptr;
        ASSERT_EQ(platform::RegCreateKeyEx(root, key, platform::KEY_ALL_ACCESS, &opened), platform::ERROR_SUCCESS);
        ASSERT_EQ(platform::RegSetValueEx(opened, name, platform::REG_SZ, text.c_str(),
                                          static_cast<std::uint32_t>(text.size() + 1)),
                  platform::ERROR_SUCCESS);
        platform::RegCloseKey(opened);
    }
    void SetSaveTo(const std::string& text) { SetValue(platform::HKEY_CURRENT_USER, kSettings, "LastSaveToLocation", text); }

    static constexpr const char* kSettings = "Software\\ESRI\\ArcCatalog\\Settings";
    ScratchFolder folder;
    ScopedEnv registry{"TESSALY_REGISTRY", folder.Path() + "/registry.json"};
    platform::ScopedHeadlessUi ui;
};

TEST_F(ReturnArcGISGeneralDirTest, OneTrailingSeparatorIsRemoved) {
    struct Case {
        std::string stored;
        const char* sep;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\data\\", "\\", "C:\\data"},
        {"C:\\data\\\\", "\\", "C:\\data\\"},
        {"C:\\data", "\\", "C:\\data"},
        {"", "\\", ""},
        {"/home/user/data/", "/", "/home/user/data"},
        {"/home/user/data//", "/", "/home/user/data/"},
        {"", "/", ""},
    };
    for (const Case& c : cases) {
        SetSaveTo(c.stored);
        EXPECT_EQ(ReturnArcGISGeneralDir(3, c.sep), c.expected) << "stored «" << c.stored << "»";
    }
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(ReturnArcGISGeneralDirTest, EachWhichReadsItsOwnValue) {
    SetValue(platform::HKEY_CURRENT_USER, kSettings, "LastBrowseLocation", "/b/");
    SetValue(platform::HKEY_CURRENT_USER, kSettings, "LastExportToLocation", "/e/");
    SetValue(platform::HKEY_CURRENT_USER, kSettings, "LastLocation", "/l/");
    SetValue(platform::HKEY_CURRENT_USER, kSettings, "LastSaveToLocation", "/s/");
    SetValue(platform::HKEY_LOCAL_MACHINE, "Software\\ESRI\\ArcGIS", "InstallDir", "/opt/arcgis/");
    EXPECT_EQ(ReturnArcGISGeneralDir(0), "/b");
    EXPECT_EQ(ReturnArcGISGeneralDir(1), "/e");
    EXPECT_EQ(ReturnArcGISGeneralDir(2), "/l");
    EXPECT_EQ(ReturnArcGISGeneralDir(3), "/s");
    EXPECT_EQ(ReturnArcGISGeneralDir(4), "/opt/arcgis");
}

TEST_F(ReturnArcGISGeneralDirTest, UnreadableValueGivesItsFailureText) {
    SetValue(platform::HKEY_CURRENT_USER, kSettings, "Other", "/x/");
    const char* expected[] = {
        "Unable to determine ArcGIS Last Browsed To location!",
        "Unable to determine ArcGIS Last Exported To location!",
        "Unable to determine ArcGIS Last location!",
        "Unable to determine ArcGIS Last Saved To location!",
        "Unable to determine ArcGIS Install location!",
    };
    for (std::int32_t which = 0; which <= 4; ++which)
        EXPECT_EQ(ReturnArcGISGeneralDir(which), expected[which]) << "which " << which;
    EXPECT_TRUE(ui->ErrorReports().empty());
}

TEST_F(ReturnArcGISGeneralDirTest, OtherWhichGivesEmptyText) {
    SetSaveTo("/s/");
    EXPECT_EQ(ReturnArcGISGeneralDir(7), "");
    EXPECT_EQ(ReturnArcGISGeneralDir(-1), "");
}

TEST(TempPathLocationTest, TemporaryFolderWithItsTrailingSeparator) {
    ScratchFolder folder;
    ScopedEnv tmpdir("TMPDIR", folder.Path());
    EXPECT_EQ(TempPathLocation(), folder.Path() + "/");
}

TEST(TempPathLocationTest, FolderTooLongForTheBufferIsReported) {
    platform::ScopedHeadlessUi ui;
    ResetErrorHandling();
    ScopedEnv tmpdir("TMPDIR", "/" + std::string(300, 't'));
    EXPECT_EQ(TempPathLocation(), "");
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_NE(ui->ErrorReports()[0].find("\tTempPathLocation aml_func_mod \r\n\r\nError Number \r\n\t5\r\n"),
              std::string::npos);
}

TEST(GetTheUserNameTest, NameOfTheProcessUserWithoutItsNul) {
    std::string expected;
    if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_name != nullptr)
        expected = entry->pw_name;
    else if (const char* user = std::getenv("USER"))
        expected = user;
    const std::string name = GetTheUserName();
    EXPECT_EQ(name, expected);
    EXPECT_EQ(name.find('\0'), std::string::npos);
}

}  // namespace
}  // namespace tessaly
