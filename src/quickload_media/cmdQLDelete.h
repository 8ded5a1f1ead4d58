#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "QL Edit - Delete Reference": deletes the entries the user marks from
// QuickLoad.txt (or from a file the user points to when the document has
// none) and reports what was deleted.
class cmdQLDelete final : public PathCommand<cmdQLDelete, info::cmdQLDelete> {
    friend Command;
    friend platform::ClassFactory<cmdQLDelete>;
    cmdQLDelete() = default;

    bool IsEnabled() { return true; }
    void Click();
};

}  // namespace tessaly
