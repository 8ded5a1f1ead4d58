#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "QL Edit - Add Layer": adds the layer files the user picks, when they lie in
// the document's folder and their layers are valid, to QuickLoad.txt, and
// reports what was added and what was refused.
class cmdQLAddLayer final : public PathCommand<cmdQLAddLayer, info::cmdQLAddLayer> {
    friend Command;
    friend platform::ClassFactory<cmdQLAddLayer>;
    cmdQLAddLayer() = default;

    bool IsEnabled() { return true; }
    void Click();
};

}  // namespace tessaly
