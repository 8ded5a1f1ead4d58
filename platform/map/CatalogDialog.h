#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/map/CatalogObjects.h"
#include "platform/map/HostObject.h"

namespace platform {

// The host's catalog browse dialog, for opening or saving files. The installed
// host services show it; the dialog keeps to its settings whatever the UI
// answers: only files its filter admits are picked, and one at most unless
// multiple selection is allowed.
class CatalogDialog : public HostObject {
public:
    bool AllowMultiSelect() const { return allowMultiSelect_; }
    void AllowMultiSelect(bool allow) { allowMultiSelect_ = allow; }
    // A folder, or a file whose folder the dialog opens on.
    const std::string& StartingLocation() const { return startingLocation_; }
    void StartingLocation(std::string location) { startingLocation_ = std::move(location); }
    const std::string& Title() const { return title_; }
    void Title(std::string title) { title_ = std::move(title); }
    // The caption of the open button ("" for the dialog's own).
    const std::string& ButtonCaption() const { return buttonCaption_; }
    void ButtonCaption(std::string caption) { buttonCaption_ = std::move(caption); }
    const std::shared_ptr<CatalogObjectFilter>& ObjectFilter() const { return filter_; }
    void ObjectFilter(std::shared_ptr<CatalogObjectFilter> filter) { filter_ = std::move(filter); }
    // The file name proposed by, and after a save, chosen in the dialog.
    const std::string& Name() const { return name_; }
    void Name(std::string name) { name_ = std::move(name); }

    // Shows the open dialog over the window `hWnd`. True when the user confirmed;
    // `selection` then gives the picked objects (layer files as CatalogLayer,
    // other files as CatalogFile). A confirmation that leaves nothing the filter
    // admits counts as cancelled. On false `selection` is left null.
    bool DoModalOpen(std::int64_t hWnd, std::shared_ptr<EnumCatalogObject>& selection);
    // Shows the save dialog. True when the user confirmed; FinalLocation and
    // Name then give the chosen folder and file name (the filter's ending added
    // when the name lacks one it admits).
    bool DoModalSave(std::int64_t hWnd);
    // The folder chosen by the last confirmed save (its Path has no trailing
    // "/"); null before.
    const std::shared_ptr<CatalogFile>& FinalLocation() const { return finalLocation_; }

private:
    bool allowMultiSelect_ = false;
    std::string startingLocation_;
    std::string title_;
    std::string buttonCaption_;
    std::shared_ptr<CatalogObjectFilter> filter_;
    std::string name_;
    std::shared_ptr<CatalogFile> finalLocation_;
};

}  // namespace platform
