#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "QL Edit - Add Bookmarks": saves the rectangle the map shows as a named
// spatial bookmark in QuickLoad.txt.
class cmdQLAddSpatial final : public PathCommand<cmdQLAddSpatial, info::cmdQLAddSpatial> {
    friend Command;
    friend platform::ClassFactory<cmdQLAddSpatial>;
    cmdQLAddSpatial() = default;

    bool IsEnabled() { return true; }
    void Click();
};

}  // namespace tessaly
