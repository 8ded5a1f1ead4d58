#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "QL Edit - Add Layer": adds layer references to QuickLoad.txt.
class cmdQLAddLayer final : public PathCommand<cmdQLAddLayer, info::cmdQLAddLayer> {
    friend Command;
    friend platform::ClassFactory<cmdQLAddLayer>;
    cmdQLAddLayer() = default;

    bool IsEnabled() { return true; }
    void Click() {}  // wired by its own feature
};

}  // namespace tessaly
