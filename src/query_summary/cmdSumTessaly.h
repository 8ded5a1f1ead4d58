#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Tessaly Summarize": opens the Tessaly summarize window on the focus map's
// feature layers and standalone tables. Each click makes a new window.
class cmdSumTessaly final : public Command<cmdSumTessaly, info::cmdSumTessaly> {
    friend Command;
    friend platform::ClassFactory<cmdSumTessaly>;
    cmdSumTessaly() = default;

    bool IsEnabled() { return FocusMapRule(m_pMxDoc); }
    // Nothing happens when the focus map holds no layer and no table.
    void Click();
};

}  // namespace tessaly
