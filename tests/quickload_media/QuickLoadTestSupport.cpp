#include "QuickLoadTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "platform/com/IClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/map/Application.h"
#include "platform/map/CatalogDialog.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "src/core/ErrorHandling.h"

namespace qltest {

bool RecordingHost::ShowCatalogOpen(const platform::CatalogDialog& dialog, std::vector<std::string>& picked) {
    catalogShows.push_back({dialog.Title(), dialog.StartingLocation(), dialog.AllowMultiSelect(),
                            dialog.ButtonCaption(), dialog.ObjectFilter() ? dialog.ObjectFilter()->Description() : ""});
    return HeadlessHostServices::ShowCatalogOpen(dialog, picked);
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-quickload-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    path_ = std::filesystem::canonical(pattern);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

ScopedFileSizeLimit::ScopedFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previousHandler_);
}

LessonTest::LessonTest(const std::string& folderName) {
    tessaly::ResetErrorHandling();
    previousHost_ = platform::SetHostServices(host_);
    lesson_ = temp_.Path() / folderName;
    std::filesystem::copy(std::filesystem::path(TESSALY_TEST_DATA_DIR) / ".." / ".." / "examples" / "lesson", lesson_,
                          std::filesystem::copy_options::recursive);
    app_ = std::make_shared<platform::Application>();
    app_->OpenDocument((lesson_ / "WillowCreek.tmd").string());
    host_->ClearEvents();
}

LessonTest::~LessonTest() {
    app_.reset();
    platform::SetHostServices(previousHost_);
    tessaly::ResetErrorHandling();
}

void LessonTest::WriteLayerFile(const std::string& relative, const std::string& name,
                                const std::string& dataSource) const {
    const std::string stem = std::filesystem::path(dataSource).stem().string();
    WriteBytes(Lesson(relative), R"({"format": "tessaly-layer-file", "version": 1, "layer": {"type": "feature", "name": ")" +
                                     name + R"(", "dataSource": ")" + dataSource + R"(", "dataset": ")" + stem +
                                     R"(", "definitionExpression": "", "fields": []}})");
}

platform::ComPtr<platform::ICommand> LessonTest::Command(const tessaly::ClassInfo& info) const {
    platform::ComPtr<platform::IClassFactory> factory;
    EXPECT_EQ(DllGetClassObject(info.clsid, platform::IClassFactory::Iid, factory.PutVoid()), platform::S_OK);
    platform::ComPtr<platform::ICommand> command;
    if (factory) {
        EXPECT_EQ(factory->CreateInstance(nullptr, platform::ICommand::Iid, command.PutVoid()), platform::S_OK);
    }
    if (command) {
        EXPECT_EQ(command->OnCreate(app_), platform::S_OK);
    }
    return command;
}

void LessonTest::Click(platform::ICommand& command) { EXPECT_EQ(command.OnClick(), platform::S_OK); }

std::string LessonTest::ClickBoxText(const char* module, std::int32_t number, const std::string& description,
                                     const std::string& source) {
    return std::string("ICommand_OnClick ") + module + " \r\n" + std::to_string(number) + "\r\n" + source + "\r\n" +
           description;
}

std::vector<std::string> LessonTest::FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(lesson_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> LessonTest::MapNames() const {
    std::vector<std::string> names;
    const auto& maps = app_->Document()->Maps();
    for (std::int32_t i = 0; i < maps->Count(); ++i) names.push_back(maps->Item(i)->Name());
    return names;
}

std::string LessonTest::FocusMapName() const { return app_->Document()->FocusMap()->Name(); }

}  // namespace qltest
