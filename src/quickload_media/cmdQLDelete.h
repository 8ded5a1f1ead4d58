#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "QL Edit - Delete Reference": deletes references from QuickLoad.txt.
class cmdQLDelete final : public PathCommand<cmdQLDelete, info::cmdQLDelete> {
    friend Command;
    friend platform::ClassFactory<cmdQLDelete>;
    cmdQLDelete() = default;

    bool IsEnabled() { return true; }
    void Click() {}  // wired by its own feature
};

}  // namespace tessaly
