#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ServerTestSupport.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ServerLoader.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/forms/Picture.h"
#include "platform/map/Application.h"
#include "platform/map/ICommand.h"
#include "platform/map/IToolBarDef.h"
#include "platform/map/ItemDef.h"
#include "platform/registry/Registry.h"
#include "src/core/ClassInfo.h"
#include "src/core/CommandTable.h"
#include "src/core/ErrorHandling.h"

namespace {

using platform::ComPtr;
using platform::ICommand;
using platform::IToolBarDef;
using servertest::Read;

const std::string kLibrary = std::string(TESSALY_BIN_DIR) + "/libTessalyOpenTable.so";

struct Expected {
    const char* progId;
    int bitmap;
    const char* name;
    const char* caption;
    const char* tooltip;
    const char* message;
    const char* category;
    bool enabledOnEmptyDocument;
};

const std::string kAboutMessage = std::string("TESSALY:  ") + tessaly::kProductLongTitle;

// The command table, in bitmap order, as the user sees it.
const Expected kCommands[] = {
    {"TessalyOpenTable.OpenTable", 101, "TessalyCommands_OpenTableTool", "Open Table", "Open Attribute Table",
     "Open attribute tables for all currently active feature themes...", "Tessaly Commands", false},
    {"TessalyOpenTable.cmdMediaViewer", 102, "TessalyCommands_MediaViewerTool", "Media Viewer Tool",
     "Open Media Viewer", "Open Tessaly media viewer tool, allowing access to additional documents...",
     "Tessaly Commands", true},
    {"TessalyOpenTable.cmdStats", 103, "TessalyCommands_StatisticsCommand", "Calculate Statistics",
     "Tessaly Statistics", "Calculate statistics on a field in a table...", "Tessaly Commands", false},
    {"TessalyOpenTable.cmdHistogramStats", 104, "TessalyCommands_StatisticsHistogramCommand", "ArcGIS Statistics",
     "Statistics on Selected Features",
     "Open the standard ArcGIS statistics window, including simple statistics on selected features...",
     "Tessaly Commands", false},
    {"TessalyOpenTable.cmdSelectNone", 105, "TessalyCommands_SelectNoneTool", "Clear Selected Features",
     "Clear Selected Features", "Clear selected features for all feature themes and tables...", "Tessaly Commands",
     false},
    {"TessalyOpenTable.cmdSelectSwitch", 106, "TessalyCommands_SelectSwitchTool", "Switch Selected Features",
     "Switch Selected Features",
     "Switch (or Flip) selection set for all currently active feature themes and tables...", "Tessaly Commands",
     false},
    {"TessalyOpenTable.cmdSelectAll", 107, "TessalyCommands_SelectAllTool", "Select All Features",
     "Select All Features", "Select all features for all currently active feature themes and tables...",
     "Tessaly Commands", false},
    {"TessalyOpenTable.cmdSelByAttributes", 108, "TessalyCommands_SelectByAttributes", "ArcGIS Select By Attributes",
     "ArcGIS Select By Attributes", "Open the standard ArcGIS 'Select By Attributes' window...", "Tessaly Commands",
     true},
    {"TessalyOpenTable.cmdSelByLocation", 109, "TessalyCommands_SelectByLocation", "Select By Location",
     "Select By Location", "Open the standard ArcGIS 'Select By Location' window...", "Tessaly Commands", true},
    {"TessalyOpenTable.cmdSumTessaly", 110, "TessalyCommands_TessalySummarize", "Tessaly Summarize",
     "Tessaly Summarize", "Open the Tessaly 'Summarize' window...", "Tessaly Commands", false},
    {"TessalyOpenTable.cmdSelByAttTessaly", 111, "TessalyCommands_TessalySelectByAttributes",
     "Tessaly Select By Attributes", "Tessaly Select By Attributes",
     "Open the Tessaly 'Select By Attributes' window...", "Tessaly Commands", false},
    {"TessalyOpenTable.cmdQuickLoad", 112, "TessalyCommands_QuickLoadTool", "QuickLoad Objects", "QuickLoad",
     "QuickLoad:  Shortcuts to layers, queries, spatial bookmarks and maps...", "Tessaly Commands", true},
    {"TessalyOpenTable.cmdQLAddSpatial", 113, "TessalyCommands_QLEditAddBookmark", "QL Edit - Add Bookmarks",
     "QuickLoad Edit:  Add Spatial Bookmark", "QuickLoad Editor:  Add Spatial Bookmark to QuickLoad.txt file...",
     "Tessaly QL Commands", true},
    {"TessalyOpenTable.cmdQLAddQuery", 114, "TessalyCommands_QLEditAddQuery", "QL Edit - Add Query",
     "QuickLoad Edit:  Add Query", "QuickLoad Editor:  Add Query String to QuickLoad.txt file...",
     "Tessaly QL Commands", true},
    {"TessalyOpenTable.cmdQLAddLayer", 115, "TessalyCommands_QLEditAddLayer", "QL Edit - Add Layer",
     "QuickLoad Edit:  Add Layer", "QuickLoad Editor:  Add Layer Reference to QuickLoad.txt file...",
     "Tessaly QL Commands", true},
    {"TessalyOpenTable.cmdQLDelete", 116, "TessalyCommands_QLEditDelete", "QL Edit - Delete Reference",
     "QuickLoad Edit:  Delete Reference", "QuickLoad Editor:  Delete references from QuickLoad.txt file...",
     "Tessaly QL Commands", true},
    {"TessalyOpenTable.cmdDeleteSelLayers", 117, "TessalyCommands_DeleteLayersTool", "Delete Layers",
     "Delete Layers", "Delete all currently selected feature themes, tables or map...", "Tessaly Commands", false},
    {"TessalyOpenTable.cmdSummarize", 118, "TessalyCommands_Summarize", "ArcGIS Summarize", "ArcGIS Summarize",
     "Open the standard ArcGIS 'Summarize' window...", "Tessaly Commands", false},
    {"TessalyOpenTable.cmdSelByGraphic", 119, "TessalyCommands_SelectByGraphicsTool", "Select by Graphics",
     "Select by Graphics", "Select from currently active layers, using selected graphic...", "Tessaly Commands",
     false},
    {"TessalyOpenTable.cmdAbout", 120, "TessalyCommands_About", "About TESSALY", "About TESSALY",
     kAboutMessage.c_str(), "Tessaly Commands", true},
};

// The host's item definition, recording what the toolbar set.
class RecordingItemDef : public platform::ItemDef {
public:
    void ID(const std::string& progId) override { id = progId; }
    void Group(bool beginsGroup) override { group = beginsGroup; }

    std::optional<std::string> id;
    std::optional<bool> group;
};

class ServerRegistrationTest : public ::testing::Test {
protected:
    ServerRegistrationTest() { EXPECT_EQ(platform::RegisterServer(kLibrary), platform::S_OK); }
    ~ServerRegistrationTest() override { tessaly::ResetErrorHandling(); }

    static std::string DefaultValue(const std::string& subKey) {
        platform::HKEY key = nullptr;
        if (platform::RegOpenKeyEx(platform::HKEY_CLASSES_ROOT, subKey, platform::KEY_READ, &key) !=
            platform::ERROR_SUCCESS) {
            return "<missing>";
        }
        char buffer[4096] = {};
        std::uint32_t size = sizeof buffer;
        const long status = platform::RegQueryValueEx(key, "", nullptr, buffer, &size);
        platform::RegCloseKey(key);
        return status == platform::ERROR_SUCCESS ? std::string(buffer) : "<missing>";
    }

    servertest::TempFolder folder_;
    servertest::ScopedRegistry registry_{folder_.Path() / "registry.json"};
    platform::ScopedHeadlessUi ui_;
};

TEST_F(ServerRegistrationTest, RegistrationEntersEveryClassWithItsOwnClsidAndTheLibraryPath) {
    std::vector<std::string> clsids;
    for (const tessaly::ClassInfo* info : tessaly::kCommandTable) clsids.push_back(platform::ToString(info->clsid));
    clsids.push_back(platform::ToString(tessaly::info::toolBarTessaly.clsid));

    for (const Expected& command : kCommands) {
        platform::CLSID clsid{};
        ASSERT_EQ(platform::CLSIDFromProgID(command.progId, &clsid), platform::S_OK) << command.progId;
        const std::string text = platform::ToString(clsid);
        EXPECT_EQ(DefaultValue("CLSID\\" + text + "\\ProgID"), command.progId);
        EXPECT_EQ(DefaultValue("CLSID\\" + text + "\\InprocServer32"), std::filesystem::canonical(kLibrary).string());
    }
    std::sort(clsids.begin(), clsids.end());
    EXPECT_EQ(std::unique(clsids.begin(), clsids.end()), clsids.end()) << "every class has a CLSID of its own";
    EXPECT_EQ(clsids.size(), 21u);
}

TEST_F(ServerRegistrationTest, EveryCommandCreatedByProgIdAnswersItsConstants) {
    auto app = std::make_shared<platform::Application>();
    for (const Expected& expected : kCommands) {
        SCOPED_TRACE(expected.progId);
        ComPtr<ICommand> command = platform::CreateInstanceByProgID<ICommand>(expected.progId);
        ASSERT_TRUE(command);
        ASSERT_EQ(command->OnCreate(app), platform::S_OK);

        EXPECT_EQ(Read(*command, &ICommand::Name), expected.name);
        EXPECT_EQ(Read(*command, &ICommand::Caption), expected.caption);
        EXPECT_EQ(Read(*command, &ICommand::Tooltip), expected.tooltip);
        EXPECT_EQ(Read(*command, &ICommand::Message), expected.message);
        EXPECT_EQ(Read(*command, &ICommand::Category), expected.category);
        EXPECT_EQ(Read(*command, &ICommand::HelpFile), "");
        EXPECT_EQ(Read(*command, &ICommand::HelpContextID), 0);
        EXPECT_FALSE(Read(*command, &ICommand::Checked));
        EXPECT_EQ(Read(*command, &ICommand::Enabled), expected.enabledOnEmptyDocument);

        const auto pixels = platform::BitmapFromHandle(Read(*command, &ICommand::Bitmap));
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->width, 16);
        EXPECT_EQ(pixels->height, 16);
        EXPECT_EQ(pixels->rgb.size(), 16u * 16u * 3u);
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(ServerRegistrationTest, EveryCommandHasAPictureOfItsOwn) {
    std::vector<std::vector<std::uint8_t>> pictures;
    for (const Expected& expected : kCommands) {
        ComPtr<ICommand> command = platform::CreateInstanceByProgID<ICommand>(expected.progId);
        pictures.push_back(platform::BitmapFromHandle(Read(*command, &ICommand::Bitmap))->rgb);
    }
    std::sort(pictures.begin(), pictures.end());
    EXPECT_EQ(std::unique(pictures.begin(), pictures.end()), pictures.end());
}

TEST_F(ServerRegistrationTest, ABitmapHandleStopsNamingPixelsWhenItsCommandIsGone) {
    ComPtr<ICommand> command = platform::CreateInstanceByProgID<ICommand>("TessalyOpenTable.cmdAbout");
    const platform::OLE_HANDLE handle = Read(*command, &ICommand::Bitmap);
    EXPECT_NE(handle, 0);
    command.Reset();
    EXPECT_EQ(platform::BitmapFromHandle(handle), nullptr);
}

TEST_F(ServerRegistrationTest, ExactlySixClassesTellTheDocumentPathThroughTheirDefaultInterface) {
    servertest::TempFolder documents;
    auto app = std::make_shared<platform::Application>();
    const std::string path = (documents.Path() / "lesson.tmd").string();
    app->SaveDocument(path);

    // GetPath sits in the default interface's first slot after IUnknown's, as it does
    // in each of the six.
    std::vector<std::string> telling;
    for (const tessaly::ClassInfo* info : tessaly::kCommandTable) {
        ComPtr<ICommand> command = platform::CreateInstanceByProgID<ICommand>(info->progId);
        ASSERT_EQ(command->OnCreate(app), platform::S_OK);
        ComPtr<platform::IUnknown> own;
        ASSERT_EQ(command->QueryInterface(info->iid, own.PutVoid()), platform::S_OK) << info->progId;
        if (info->progId == std::string("TessalyOpenTable.cmdMediaViewer") ||
            std::string(info->progId).find("QL") != std::string::npos ||
            info->progId == std::string("TessalyOpenTable.cmdQuickLoad")) {
            std::string told;
            EXPECT_EQ(static_cast<tessaly::DocumentPathInterface*>(own.Get())->GetPath(&told), platform::S_OK);
            EXPECT_EQ(told, path);
            telling.push_back(info->progId);
        }
    }
    EXPECT_EQ(telling, (std::vector<std::string>{
                           "TessalyOpenTable.cmdMediaViewer", "TessalyOpenTable.cmdQuickLoad",
                           "TessalyOpenTable.cmdQLAddSpatial", "TessalyOpenTable.cmdQLAddQuery",
                           "TessalyOpenTable.cmdQLAddLayer", "TessalyOpenTable.cmdQLDelete"}));
}

TEST_F(ServerRegistrationTest, ToolbarListsTwelveItemsInFiveGroups) {
    ComPtr<IToolBarDef> toolbar = platform::CreateInstanceByProgID<IToolBarDef>("TessalyOpenTable.toolBarTessaly");
    EXPECT_EQ(Read(*toolbar, &IToolBarDef::ItemCount), 12);
    EXPECT_EQ(Read(*toolbar, &IToolBarDef::Name), "TessalyCommands_TessalyToolBar");
    EXPECT_EQ(Read(*toolbar, &IToolBarDef::Caption), "Tessaly Tools");

    struct Item {
        const char* id;
        std::optional<bool> group;
    };
    const Item kItems[] = {
        {"TessalyOpenTable.OpenTable", {}},         {"TessalyOpenTable.cmdMediaViewer", {}},
        {"TessalyOpenTable.cmdStats", {}},          {"TessalyOpenTable.cmdSumTessaly", {}},
        {"TessalyOpenTable.cmdQuickLoad", {}},      {"TessalyOpenTable.cmdSelByAttTessaly", true},
        {"TessalyOpenTable.cmdSelByLocation", {}},  {"TessalyOpenTable.cmdSelByGraphic", {}},
        {"TessalyOpenTable.cmdSelectNone", true},   {"TessalyOpenTable.cmdSelectSwitch", {}},
        {"TessalyOpenTable.cmdDeleteSelLayers", true}, {"TessalyOpenTable.cmdAbout", true},
    };
    for (std::int32_t pos = 0; pos < 12; ++pos) {
        RecordingItemDef item;
        EXPECT_EQ(toolbar->GetItemInfo(pos, item), platform::S_OK);
        EXPECT_EQ(item.id, kItems[pos].id) << pos;
        EXPECT_EQ(item.group, kItems[pos].group) << pos;
        // Every item names a class the registry knows.
        platform::CLSID clsid{};
        EXPECT_EQ(platform::CLSIDFromProgID(*item.id, &clsid), platform::S_OK);
    }
}

TEST_F(ServerRegistrationTest, ToolbarPositionsOutsideTheItemsLeaveTheDefinitionUntouched) {
    ComPtr<IToolBarDef> toolbar = platform::CreateInstanceByProgID<IToolBarDef>("TessalyOpenTable.toolBarTessaly");
    for (const std::int32_t pos : {12, -1, 13, INT_MAX, INT_MIN}) {
        RecordingItemDef item;
        EXPECT_EQ(toolbar->GetItemInfo(pos, item), platform::S_OK);
        EXPECT_FALSE(item.id.has_value()) << pos;
        EXPECT_FALSE(item.group.has_value()) << pos;
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(ServerRegistrationTest, LibraryMayUnloadOnlyWhenNoObjectOfItIsAlive) {
    ComPtr<ICommand> command = platform::CreateInstanceByProgID<ICommand>("TessalyOpenTable.cmdStats");
    void* library = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr);
    auto canUnloadNow = reinterpret_cast<platform::HRESULT (*)()>(dlsym(library, "DllCanUnloadNow"));
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), platform::S_FALSE);
    command.Reset();
    EXPECT_EQ(canUnloadNow(), platform::S_OK);
    dlclose(library);
}

TEST_F(ServerRegistrationTest, UnregistrationRemovesEveryClass) {
    ASSERT_EQ(platform::UnregisterServer(kLibrary), platform::S_OK);
    for (const Expected& command : kCommands) {
        platform::CLSID clsid{};
        EXPECT_EQ(platform::CLSIDFromProgID(command.progId, &clsid), platform::REGDB_E_CLASSNOTREG) << command.progId;
        ComPtr<ICommand> none;
        EXPECT_EQ(platform::CreateInstanceByProgID(command.progId, ICommand::Iid, none.PutVoid()),
                  platform::REGDB_E_CLASSNOTREG);
    }
    EXPECT_EQ(DefaultValue("CLSID\\" + platform::ToString(tessaly::info::toolBarTessaly.clsid) + "\\ProgID"),
              "<missing>");
}

// Registration is all or nothing: a class that cannot be entered (here the last
// one, whose key is protected; or a library path that is not valid UTF-8, which
// the file cannot hold) fails it with a code, and the file stays byte for byte.
TEST(ServerRegistrationFailureTest, AFailedRegistrationLeavesTheRegistryFileAsItWas) {
    servertest::TempFolder folder;
    const auto file = folder.Path() / "registry.json";
    servertest::ScopedRegistry registry{file};
    const std::string original = R"({"HKEY_CLASSES_ROOT": {"keys": {"TessalyOpenTable.cmdAbout": {"writable": false}}}})";
    const auto invalidUtf8 = folder.Path() / "caf\xE9";
    std::filesystem::create_directories(invalidUtf8);
    std::filesystem::copy_file(kLibrary, invalidUtf8 / "libTessalyOpenTable.so");

    struct Case {
        std::string library;
        std::string registryText;
    };
    for (const Case& c : {Case{kLibrary, original}, Case{(invalidUtf8 / "libTessalyOpenTable.so").string(), "{}"}}) {
        SCOPED_TRACE(c.library);
        std::ofstream(file, std::ios::binary) << c.registryText;
        EXPECT_TRUE(platform::FAILED(platform::RegisterServer(c.library)));
        std::ifstream in(file, std::ios::binary);
        std::stringstream after;
        after << in.rdbuf();
        EXPECT_EQ(after.str(), c.registryText);
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"caf\xE9", "registry.json"}));
    }
}

}  // namespace
