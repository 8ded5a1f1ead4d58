#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Clear Selected Features": empties the selection of every valid feature layer
// (at any depth) and standalone table of the focus map.
class cmdSelectNone final : public Command<cmdSelectNone, info::cmdSelectNone> {
    friend Command;
    friend platform::ClassFactory<cmdSelectNone>;
    cmdSelectNone() = default;

    bool IsEnabled() { return FocusMapRule(m_pMxDoc); }
    void Click();
};

}  // namespace tessaly
