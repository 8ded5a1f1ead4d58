#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "QL Edit - Add Bookmarks": adds the current view as a bookmark to QuickLoad.txt.
class cmdQLAddSpatial final : public PathCommand<cmdQLAddSpatial, info::cmdQLAddSpatial> {
    friend Command;
    friend platform::ClassFactory<cmdQLAddSpatial>;
    cmdQLAddSpatial() = default;

    bool IsEnabled() { return true; }
    void Click() {}  // wired by its own feature
};

}  // namespace tessaly
