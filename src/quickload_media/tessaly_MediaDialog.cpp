#include "src/quickload_media/tessaly_MediaDialog.h"

#include <iterator>

#include "platform/com/ComError.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/Shell.h"
#include "platform/map/Application.h"
#include "src/core/ErrorHandling.h"
#include "src/core/LocaleText.h"
#include "src/core/QuickSortNonCase.h"
#include "src/core/aml_func_mod.h"
#include "src/quickload_media/TextFile.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "tessaly_MediaDialog";

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

constexpr MediaKind kKinds[] = {MediaKind::GoogleEarth, MediaKind::Image, MediaKind::Movie,
                                MediaKind::Website,     MediaKind::Excel, MediaKind::Word,
                                MediaKind::Pdf,         MediaKind::PowerPoint};

std::size_t Index(MediaKind kind) { return static_cast<std::size_t>(kind); }

const char* ClickHandlerOf(MediaKind kind) {
    switch (kind) {
    case MediaKind::GoogleEarth: return "optText_Click";
    case MediaKind::Image: return "optImages_Click";
    case MediaKind::Movie: return "optMovies_Click";
    case MediaKind::Website: return "optWebsites_Click";
    case MediaKind::Excel: return "optExcels_Click";
    case MediaKind::Word: return "optWords_Click";
    case MediaKind::Pdf: return "optPDFs_Click";
    case MediaKind::PowerPoint: return "optPowerpoints_Click";
    }
    return "";
}

// Whether a keyed collection holds the key, in any letter case.
template <class Value>
bool HasKey(const std::map<std::wstring, Value>& collection, const std::string& key) {
    return collection.contains(localetext::Folded(key));
}

template <class Value>
const Value& Keyed(const std::map<std::wstring, Value>& collection, const std::string& key) {
    const auto found = collection.find(localetext::Folded(key));
    if (found == collection.end()) throw platform::RuntimeError(platform::vberr::InvalidCall);
    return found->second;
}

void SortDisplay(std::vector<std::string>& display, std::size_t entries) {
    if (entries > 1) StringsAscending(display, 0, static_cast<std::int32_t>(display.size()) - 1);
}

}  // namespace

tessaly_MediaDialog::tessaly_MediaDialog() : Form("tessaly_MediaDialog") {
    for (MediaKind kind : kKinds) {
        OptionOf(kind).SetContainer(cpOptions);
        OptionOf(kind).Click = [this, kind] { ShowKind(kind, ClickHandlerOf(kind)); };
    }
    optAll.SetContainer(cpOptions);
    optAll.Click = [this] { optAll_Click(); };
    lbxAll.Click = [this] { lbxAll_Click(); };
    lbxAll.DblClick = [this] { lbxAll_DblClick(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

platform::OptionButton& tessaly_MediaDialog::OptionOf(MediaKind kind) {
    switch (kind) {
    case MediaKind::GoogleEarth: return optText;
    case MediaKind::Image: return optImages;
    case MediaKind::Movie: return optMovies;
    case MediaKind::Website: return optWebsites;
    case MediaKind::Excel: return optExcels;
    case MediaKind::Word: return optWords;
    case MediaKind::Pdf: return optPDFs;
    case MediaKind::PowerPoint: return optPowerpoints;
    }
    return optAll;
}

void tessaly_MediaDialog::Design() {
    SetCaption("Media Viewer");
    SetClientSize(4845, 4290);
    lbxAll.Move(30, 30, 4815, 2595);
    cpOptions.Move(30, 2580, 4815, 1320);
    struct Placed {
        platform::OptionButton& option;
        const char* caption;
        int left, top, width;
    };
    const Placed options[] = {
        {optAll, "All Media", 150, 135, 1215},         {optWebsites, "Websites", 1440, 135, 1800},
        {optWords, "Word Files", 3285, 135, 1440},     {optImages, "Images", 150, 510, 1215},
        {optText, "Google Earth Sites", 1440, 510, 1800}, {optPDFs, "PDF Files", 3285, 510, 1440},
        {optMovies, "Movies", 150, 870, 1215},         {optExcels, "Excel Files", 1440, 870, 1800},
        {optPowerpoints, "PowerPoint", 3285, 870, 1440},
    };
    for (const Placed& placed : options) {
        placed.option.SetCaption(placed.caption);
        placed.option.Move(placed.left, placed.top, placed.width, 420);
    }
    cmdCancel.SetCaption("Cancel");
    cmdCancel.Move(1215, 3960, 1185, 330);
    cmdOK.SetCaption("OK");
    cmdOK.Move(2445, 3960, 1185, 330);
    imgCornerBars.SetPicture("cornerbars");
    imgCornerBars.Move(4605, 4050, 225, 225);
    platform::Control* const tabOrder[] = {&lbxAll,    &cpOptions, &cmdCancel, &cmdOK,   &optAll,
                                           &optImages, &optMovies, &optWebsites, &optText, &optExcels,
                                           &optWords,  &optPDFs,   &optPowerpoints};
    for (int index = 0; index < static_cast<int>(std::size(tabOrder)); ++index) tabOrder[index]->SetTabIndex(index);
}

void tessaly_MediaDialog::MediaFilename(const MediaListFiles& files) {
    listFile_ = files.Filename;
    baseFolder_ = files.prjFilename;
}

void tessaly_MediaDialog::ArcApplication(std::shared_ptr<platform::Application> application) {
    application_ = std::move(application);
    document_ = application_ ? application_->Document() : nullptr;
}

void tessaly_MediaDialog::OpenDoc(const std::string& file, const std::string& folder) {
    PassedOn(In("OpenDoc"), [&] { platform::ShellOpen(file, folder); });
}

void tessaly_MediaDialog::Form_Load() {
    Guarded(In("Form_Load"), [&] {
        anchors_ = std::make_unique<AnchorObjectList>();
        anchors_->Item(lbxAll)->SetAnchors(3, 3);
        anchors_->Item(cmdOK)->SetAnchors(2, 5);
        anchors_->Item(cmdCancel)->SetAnchors(2, 5);
        anchors_->Item(cpOptions)->SetAnchors(3, 5);
        anchors_->Item(imgCornerBars)->SetAnchors(5, 5);
        anchors_->SetForm(this);

        LoadList();
        for (MediaKind kind : kKinds) {
            auto& list = kinds_[Index(kind)];
            SortDisplay(list.display, list.byKey.size());
        }
        SortDisplay(all_.display, all_.byKey.size());
        optAll.SetValue(true);
    });
}

void tessaly_MediaDialog::LoadList() {
    kinds_ = {};
    all_ = {};
    const std::vector<std::string> lines = ReadTextLines(listFile_);
    for (const std::string& line : lines) {
        // A line that is no entry (a bad kind code, no "," after the ":") or
        // that repeats a title of its kind is left out alone: one slip in a
        // hand-written list must not hide the lines after it.
        try {
            if (const auto entry = ParseMediaLine(line)) AddEntry(*entry);
        } catch (const platform::ComError&) {
        }
    }
}

void tessaly_MediaDialog::AddEntry(const MediaListEntry& entry) {
    // A code outside the eight kinds names no list of its own: such an entry
    // is listed under All Media only, with no type text.
    const auto kind = MediaKindOfCode(entry.kindCode);
    const std::string typeText = kind ? TypeTextInAll(*kind) : "";
    const std::string display = entry.title + "   (" + typeText + ")";
    // Both keys are checked before either list changes, so a repeated title adds nothing.
    if ((kind && HasKey(kinds_[Index(*kind)].byKey, entry.title)) || HasKey(all_.byKey, display))
        throw platform::RuntimeError(platform::vberr::KeyAlreadyInCollection);

    const std::string fullPath = MediaFullPath(entry, baseFolder_);
    if (kind) {
        auto& own = kinds_[Index(*kind)];
        own.byKey.emplace(localetext::Folded(entry.title), fullPath);
        own.display.push_back(entry.title);
        own.hasEntries = true;
    }
    all_.byKey.emplace(localetext::Folded(display), Choice{fullPath, typeText});
    all_.display.push_back(display);
    all_.hasEntries = true;
}

void tessaly_MediaDialog::Form_Unload() {
    Guarded(In("Form_Unload"), [&] {
        application_.reset();
        document_.reset();
        listFile_.clear();
        baseFolder_.clear();
        choice_ = {};
        kinds_ = {};
        all_ = {};
    });
}

void tessaly_MediaDialog::ShowList(const std::vector<std::string>& display, bool hasEntries) {
    lbxAll.Clear();
    if (hasEntries)
        for (const std::string& text : display) lbxAll.AddItem(text);
    cmdOK.SetEnabled(false);
}

void tessaly_MediaDialog::optAll_Click() {
    Guarded(In("optAll_Click"), [&] { ShowList(all_.display, all_.hasEntries); });
}

void tessaly_MediaDialog::ShowKind(MediaKind kind, const char* procedure) {
    Guarded(In(procedure), [&] {
        const auto& list = kinds_[Index(kind)];
        ShowList(list.display, list.hasEntries);
    });
}

void tessaly_MediaDialog::lbxAll_Click() {
    Guarded(In("lbxAll_Click"), [&] {
        const int row = lbxAll.ListIndex();
        if (row < 0) return;
        const auto at = static_cast<std::size_t>(row);
        if (optAll.Value()) {
            choice_ = Keyed(all_.byKey, all_.display.at(at));
        } else {
            for (MediaKind kind : kKinds) {
                if (!OptionOf(kind).Value()) continue;
                const auto& list = kinds_[Index(kind)];
                choice_ = {Keyed(list.byKey, list.display.at(at)), TypeTextInOwnList(kind)};
                break;
            }
        }
        cmdOK.SetEnabled(true);
    });
}

void tessaly_MediaDialog::lbxAll_DblClick() {
    Guarded(In("lbxAll_DblClick"), [&] {
        if (lbxAll.ListIndex() >= 0) cmdOK_Click();
    });
}

void tessaly_MediaDialog::cmdOK_Click() {
    Guarded(In("cmdOK_Click"), [&] {
        const std::string& path = choice_.fullPath;
        if (path.empty()) {
            platform::MsgBox("Problem identifying filename!  Unable to continue...", platform::vbCritical,
                             "Unable to identify filename of media file:");
        } else if (choice_.typeText == "Website" && !path.ends_with(".url")) {
            OpenDoc(WebAddress(path), "");
        } else if (!ExistFileDir(path)) {
            platform::MsgBox("Unable to find the " + choice_.typeText + " located at " + path +
                                 "!  Please make sure that the 'media_list.txt' " +
                                 "file references media file locations relative to ArcGIS Mxd file.",
                             platform::vbCritical, "Unable To Find Media File:");
        } else {
            OpenDoc(ReturnFilename(path), ReturnDir(path));
        }
    });
}

void tessaly_MediaDialog::cmdCancel_Click() {
    Guarded(In("cmdCancel_Click"), [&] { Unload(); });
}

}  // namespace tessaly
