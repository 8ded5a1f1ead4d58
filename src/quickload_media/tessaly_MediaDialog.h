#pragma once
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Forms.h"
#include "src/core/AnchorObjectList.h"
#include "src/quickload_media/MediaListEntry.h"

namespace platform {
class Application;
class MapDocument;
}  // namespace platform

namespace tessaly {

// Which media list to read, and the folder its paths are relative to.
struct MediaListFiles {
    std::string Filename;     // the list file's full path
    std::string prjFilename;  // the map document's folder, ending in "/"
};

// "Media Viewer": lists the entries of a media list, all of them or one kind at
// a time, and opens the chosen one with the desktop's program for it. It stays
// open after opening an entry; Cancel or the close box unloads it.
//
// Protocol: create it, set ArcApplication and MediaFilename (neither loads the
// form), then Show(vbModal); the load reads the list.
class tessaly_MediaDialog : public platform::Form {
public:
    tessaly_MediaDialog();

    platform::ListBox lbxAll{*this, "lbxAll"};
    platform::Frame cpOptions{*this, "cpOptions"};
    platform::OptionButton optAll{*this, "optAll"};
    platform::OptionButton optWebsites{*this, "optWebsites"};
    platform::OptionButton optWords{*this, "optWords"};
    platform::OptionButton optImages{*this, "optImages"};
    platform::OptionButton optText{*this, "optText"};
    platform::OptionButton optPDFs{*this, "optPDFs"};
    platform::OptionButton optMovies{*this, "optMovies"};
    platform::OptionButton optExcels{*this, "optExcels"};
    platform::OptionButton optPowerpoints{*this, "optPowerpoints"};
    platform::CommandButton cmdCancel{*this, "cmdCancel"};
    platform::CommandButton cmdOK{*this, "cmdOK"};
    platform::Image imgCornerBars{*this, "imgCornerBars"};

    void MediaFilename(const MediaListFiles& files);
    // Kept, with its current document, until the dialog unloads.
    void ArcApplication(std::shared_ptr<platform::Application> application);
    // Has the desktop open `file` with `folder` as the working folder ("" for
    // none); whether that worked is not examined. Passes its errors on.
    void OpenDoc(const std::string& file, const std::string& folder);

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    // One list: display texts in list order, and what each stands for, keyed
    // by its text without regard to letter case.
    template <class Value>
    struct MediaList {
        std::map<std::wstring, Value> byKey;
        std::vector<std::string> display;
        bool hasEntries = false;
    };
    struct Choice {
        std::string fullPath;
        std::string typeText;
    };

    void LoadList();
    void AddEntry(const MediaListEntry& entry);
    void ShowList(const std::vector<std::string>& display, bool hasEntries);
    void ShowKind(MediaKind kind, const char* procedure);
    platform::OptionButton& OptionOf(MediaKind kind);
    void lbxAll_Click();
    void lbxAll_DblClick();
    void optAll_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    std::string listFile_;
    std::string baseFolder_;
    std::shared_ptr<platform::Application> application_;
    std::shared_ptr<platform::MapDocument> document_;
    std::array<MediaList<std::string>, kMediaKindCount> kinds_;
    MediaList<Choice> all_;
    Choice choice_;
    std::unique_ptr<AnchorObjectList> anchors_;
};

}  // namespace tessaly
