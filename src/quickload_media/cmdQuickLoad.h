#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "QuickLoad Objects": opens the document's QuickLoad shortcuts.
class cmdQuickLoad final : public PathCommand<cmdQuickLoad, info::cmdQuickLoad> {
    friend Command;
    friend platform::ClassFactory<cmdQuickLoad>;
    cmdQuickLoad() = default;

    bool IsEnabled() { return true; }
    void Click() {}  // wired by its own feature
};

}  // namespace tessaly
