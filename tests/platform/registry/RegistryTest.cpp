#include "platform/registry/Registry.h"

#include "platform/registry/RegistryFixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <vector>

using namespace platform;

namespace {

const char* const kSettings = "Software\\ESRI\\ArcCatalog\\Settings";

const char* const kCatalogFile = R"({
  "HKEY_CURRENT_USER": { "keys": { "Software": { "keys": { "ESRI": { "keys": {
    "ArcCatalog": { "keys": { "Settings": { "values": {
      "LastSaveToLocation": "/data/out/",
      "Empty": "",
      "Count": 42
    } } } } } } } } } },
  "HKEY_LOCAL_MACHINE": { "writable": false, "keys": { "SOFTWARE": { "keys": {
    "Microsoft": { "keys": { "Shared Tools": { "keys": { "MSINFO": { "values": {
      "PATH": "/usr/bin/true"
    } } } } } } } } } }
})";

// Reads a text value as the utility routines do: a size query, then the value.
long ReadText(HKEY root, const std::string& key, const std::string& name, std::string& text,
              std::uint32_t access = KEY_READ) {
    HKEY opened = nullptr;
    long status = RegOpenKeyEx(root, key, access, &opened);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    status = RegQueryValueEx(opened, name, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        std::vector<char> buffer(size);
        status = RegQueryValueEx(opened, name, &type, buffer.data(), &size);
        if (status == ERROR_SUCCESS) {
            EXPECT_EQ(type, REG_SZ);
            EXPECT_EQ(buffer.at(size - 1), '\0');
            text.assign(buffer.data(), size - 1);
        }
    }
    RegCloseKey(opened);
    return status;
}

long WriteText(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
    HKEY opened = nullptr;
    long status = RegCreateKeyEx(root, key, KEY_ALL_ACCESS, &opened);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    status = RegSetValueEx(opened, name, REG_SZ, text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
    RegCloseKey(opened);
    return status;
}

}  // namespace

TEST_F(RegistryTest, SizeQueryGivesBytesWithTheNulThenTheValueReads) {
    WriteFile(kCatalogFile);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_READ, &key), ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    ASSERT_EQ(RegQueryValueEx(key, "LastSaveToLocation", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 11u);
    std::vector<char> buffer(size, 'x');
    ASSERT_EQ(RegQueryValueEx(key, "LastSaveToLocation", &type, buffer.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer.data()), "/data/out/");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, TooSmallBufferGivesMoreDataAndTheSizeNeeded) {
    WriteFile(kCatalogFile);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_READ, &key), ERROR_SUCCESS);
    char buffer[10] = "untouched";
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(RegQueryValueEx(key, "LastSaveToLocation", nullptr, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    EXPECT_STREQ(buffer, "untouched");
    RegCloseKey(key);
}

TEST_F(RegistryTest, ReadsNumbersAsDwords) {
    WriteFile(kCatalogFile);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_READ, &key), ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::uint32_t value = 0;
    std::uint32_t size = sizeof value;
    ASSERT_EQ(RegQueryValueEx(key, "Count", &type, &value, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(value, 42u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, WrittenValuesReadBack) {
    struct Case {
        const char* name;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"LastSaveToLocation", "C:\\data\\"},
        {"Empty", ""},
        {"Unicode", "K\xc3\xb8" "benhavn"},
        {"", "default value"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kSettings, c.name, c.text), ERROR_SUCCESS) << c.name;
    }
    for (const auto& c : cases) {
        std::string text = "stale";
        EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kSettings, c.name, text), ERROR_SUCCESS) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kSettings, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const std::uint32_t number = 0xFFFFFFFFu;
    ASSERT_EQ(RegSetValueEx(key, "Number", REG_DWORD, &number, 4), ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::uint32_t read = 0;
    std::uint32_t size = 4;
    ASSERT_EQ(RegQueryValueEx(key, "Number", &type, &read, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(read, number);
    RegCloseKey(key);
}

TEST_F(RegistryTest, MissingKeysAndValuesAreNotFound) {
    WriteFile(kCatalogFile);
    struct Case {
        const char* key;
        const char* value;
    };
    const std::vector<Case> cases = {
        {"Software\\ESRI\\ArcGIS", "InstallDir"},
        {"Software\\Nobody", "x"},
        {kSettings, "LastBrowseLocation"},
    };
    for (const auto& c : cases) {
        std::string text;
        EXPECT_EQ(ReadText(HKEY_CURRENT_USER, c.key, c.value, text), ERROR_FILE_NOT_FOUND) << c.key;
        EXPECT_EQ(text, "");
    }
}

TEST_F(RegistryTest, MissingFileIsAnEmptyRegistryAndReadingCreatesNothing) {
    std::string text;
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kSettings, "LastSaveToLocation", text), ERROR_FILE_NOT_FOUND);
    HKEY root = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "", KEY_READ, &root), ERROR_SUCCESS);
    RegCloseKey(root);
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(RegistryTest, NamesIgnoreLetterCaseAndKeepTheirSpelling) {
    WriteFile(kCatalogFile);
    std::string text;
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, "SOFTWARE\\esri\\ArcCatalog\\SETTINGS", "lastsavetolocation", text),
              ERROR_SUCCESS);
    EXPECT_EQ(text, "/data/out/");

    ASSERT_EQ(WriteText(HKEY_CURRENT_USER, "software\\ESRI\\arccatalog\\settings", "LASTSAVETOLOCATION", "/new/"),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kSettings, "LastSaveToLocation", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "/new/");
    EXPECT_NE(ReadFile().find("\"LastSaveToLocation\": \"/new/\""), std::string::npos);
    EXPECT_EQ(ReadFile().find("LASTSAVETOLOCATION"), std::string::npos);
}

TEST_F(RegistryTest, ProtectedKeyOpensForReadingOnly) {
    WriteFile(kCatalogFile);
    const std::string msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    std::string text;
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, msinfo, "PATH", text, KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(text, "/usr/bin/true");

    for (std::uint32_t access : {KEY_ALL_ACCESS, KEY_WRITE, KEY_SET_VALUE}) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, msinfo, access, &key), ERROR_ACCESS_DENIED) << access;
        EXPECT_EQ(key, nullptr);
    }
}

TEST_F(RegistryTest, ProtectedKeyCannotBeChanged) {
    WriteFile(kCatalogFile);
    const std::string before = ReadFile();
    HKEY created = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", KEY_READ, &created), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteTree(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(before, ReadFile());
}

TEST_F(RegistryTest, ReadOnlyHandleCannotWrite) {
    WriteFile(kCatalogFile);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, "LastSaveToLocation", REG_SZ, "x", 2), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(key, "LastSaveToLocation"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteTree(key, ""), ERROR_ACCESS_DENIED);
    RegCloseKey(key);
}

TEST_F(RegistryTest, SavingLeavesOnlyTheRegistryFile) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kSettings, "Value" + std::to_string(i), "text"), ERROR_SUCCESS);
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"registry.json"});
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNoValue) {
    std::vector<pid_t> writers;
    for (const char* prefix : {"first", "second"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool all = true;
            for (int i = 0; i < 100; ++i) {
                all = WriteText(HKEY_CURRENT_USER, kSettings, prefix + std::to_string(i), "v") == ERROR_SUCCESS && all;
            }
            _exit(all ? 0 : 1);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    int kept = 0;
    for (const char* prefix : {"first", "second"}) {
        for (int i = 0; i < 100; ++i) {
            std::string text;
            kept += ReadText(HKEY_CURRENT_USER, kSettings, prefix + std::to_string(i), text) == ERROR_SUCCESS;
        }
    }
    EXPECT_EQ(kept, 200);
}

TEST_F(RegistryTest, OpenHandleSeesChangesMadeToTheFile) {
    WriteFile(kCatalogFile);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_READ, &key), ERROR_SUCCESS);
    // Another process rewrites the file while the key is open.
    WriteFile(R"({"HKEY_CURRENT_USER": {"keys": {"Software": {"keys": {"ESRI": {"keys": {
        "ArcCatalog": {"keys": {"Settings": {"values": {"LastSaveToLocation": "/elsewhere/"}}}}}}}}}}})");
    char buffer[64] = {};
    std::uint32_t size = sizeof buffer;
    ASSERT_EQ(RegQueryValueEx(key, "LastSaveToLocation", nullptr, buffer, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "/elsewhere/");
    // Then deletes the key.
    WriteFile("{}");
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueEx(key, "LastSaveToLocation", nullptr, buffer, &size), ERROR_KEY_DELETED);
    RegCloseKey(key);
}

TEST_F(RegistryTest, RegistryVariableChoosesTheFile) {
    const auto other = Folder() / "other.json";
    ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kSettings, "Where", "first"), ERROR_SUCCESS);
    {
        ScopedEnv env("TESSALY_REGISTRY", other.string());
        std::string text;
        EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kSettings, "Where", text), ERROR_FILE_NOT_FOUND);
        ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kSettings, "Where", "second"), ERROR_SUCCESS);
    }
    std::string text;
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kSettings, "Where", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "first");
    EXPECT_TRUE(std::filesystem::exists(other));
}

TEST_F(RegistryTest, WithoutTheVariableTheConfigurationFolderHoldsIt) {
    ScopedEnv registry("TESSALY_REGISTRY", std::nullopt);
    ScopedEnv config("XDG_CONFIG_HOME", (Folder() / "config").string());
    ASSERT_EQ(WriteText(HKEY_CURRENT_USER, kSettings, "Where", "config"), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(Folder() / "config" / "tessaly" / "registry.json"));
}

TEST_F(RegistryTest, DamagedFileIsReportedAndNeverOverwritten) {
    std::string tooDeep = "{\"HKEY_CURRENT_USER\": ";
    for (int i = 0; i < 600; ++i) tooDeep += "{\"keys\": {\"k\": ";
    tooDeep += "{}" + std::string(600, '}') + std::string(600, '}') + "}";
    for (const std::string& damaged :
         {std::string("{ \"HKEY_CURRENT_USER\": "), std::string("[1, 2]"), std::string("{\"HKEY_CURRENT_USER\": 5}"),
          tooDeep}) {
        WriteFile(damaged);
        std::string text;
        EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kSettings, "LastSaveToLocation", text), ERROR_BADDB) << damaged.substr(0, 40);
        EXPECT_EQ(WriteText(HKEY_CURRENT_USER, kSettings, "LastSaveToLocation", "x"), ERROR_BADDB) << damaged.substr(0, 40);
        EXPECT_EQ(ReadFile(), damaged);
    }
}

TEST_F(RegistryTest, DeletedValuesAndTreesAreGone) {
    WriteFile(kCatalogFile);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "count"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "Count"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);

    EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, "Software\\ESRI"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTree(HKEY_CURRENT_USER, "Software\\ESRI"), ERROR_FILE_NOT_FOUND);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    HKEY software = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software", KEY_READ, &software), ERROR_SUCCESS);
    RegCloseKey(software);
}

TEST_F(RegistryTest, BadHandlesAndArgumentsAreRefused) {
    WriteFile(kCatalogFile);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    std::uint32_t size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "Count", nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyEx(nullptr, "Software", KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);

    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSettings, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const std::uint32_t number = 7;
    EXPECT_EQ(RegSetValueEx(key, "Count", REG_DWORD, &number, 2), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueEx(key, "Count", 3 /* binary */, &number, 4), ERROR_INVALID_PARAMETER);
    char buffer[4];
    EXPECT_EQ(RegQueryValueEx(key, "Count", nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}
