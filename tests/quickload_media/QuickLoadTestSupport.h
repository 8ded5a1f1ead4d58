#pragma once
// A copy of the sample lesson in a temporary folder, opened as the document of
// a fresh application, with a headless user and host for the QuickLoad and
// media tests.
//
// The lesson (examples/lesson): WillowCreek.tmd with the maps "Willow Creek
// Watershed" (the focus map) and "Regional Overview"; layers/*.tlyr over
// data/*.shp; QuickLoad.txt with 3 bookmarks, 3 queries and 3 layers;
// media_list.txt with an image, a PDF and a website; media/ with the two files.
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/com/ComPtr.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/HeadlessHostServices.h"
#include "platform/map/ICommand.h"
#include "src/core/ClassInfo.h"

namespace platform {
class Application;
class CatalogDialog;
class Form;
}  // namespace platform

namespace qltest {

using Event = platform::HeadlessHostServices::EventKind;

// The catalog dialogs' settings as they were when shown.
struct CatalogShow {
    std::string title;
    std::string startingLocation;
    bool allowMultiSelect = false;
    std::string buttonCaption;
    std::string filter;  // the filter's description, "" for none
};

class RecordingHost : public platform::HeadlessHostServices {
public:
    bool ShowCatalogOpen(const platform::CatalogDialog& dialog, std::vector<std::string>& picked) override;
    std::vector<CatalogShow> catalogShows;
};

// A fresh folder under the temporary folder, in its resolved form; removed
// with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The bytes of a file; "" when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// The largest file this process may write, for the life of the object; a
// write past it fails (instead of ending the process).
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes);
    ~ScopedFileSizeLimit();
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
};

class LessonTest : public ::testing::Test {
protected:
    // The lesson is copied into a folder of this name.
    explicit LessonTest(const std::string& folderName = "Willow Creek");
    ~LessonTest() override;

    // The document's folder with its trailing "/", as the commands build it.
    std::string Folder() const { return lesson_.string() + "/"; }
    std::filesystem::path Lesson(const std::string& relative) const { return lesson_ / relative; }
    std::filesystem::path QuickLoadFile() const { return Lesson("QuickLoad.txt"); }
    // The names in the document's folder, sorted.
    std::vector<std::string> FolderEntries() const;

    // A layer file at `relative` over data given relative to that file.
    void WriteLayerFile(const std::string& relative, const std::string& name, const std::string& dataSource) const;

    // A command made by the library's own class factory and created on app_.
    platform::ComPtr<platform::ICommand> Command(const tessaly::ClassInfo& info) const;
    static void Click(platform::ICommand& command);

    // What a failing QuickLoad click shows: the plain click box's text.
    static std::string ClickBoxText(const char* module, std::int32_t number, const std::string& description,
                                    const std::string& source = "TessalyOpenTable");

    // The map names, and the name of the document's focus map.
    std::vector<std::string> MapNames() const;
    std::string FocusMapName() const;

    TempFolder temp_;
    std::filesystem::path lesson_;
    platform::ScopedHeadlessUi ui_;
    std::shared_ptr<RecordingHost> host_ = std::make_shared<RecordingHost>();
    std::shared_ptr<platform::Application> app_;

private:
    std::shared_ptr<platform::HostServices> previousHost_;
};

// Runs `script` with the form, cast to its class, when a form of that class shows modally.
template <class FormClass, class Script>
void WhenModal(platform::HeadlessBackend& ui, const std::string& name, Script script) {
    ui.WhenModal(name, [script](platform::Form& form) { script(dynamic_cast<FormClass&>(form)); });
}

}  // namespace qltest
