#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Tessaly Summarize": opens the Tessaly summarize window.
class cmdSumTessaly final : public Command<cmdSumTessaly, info::cmdSumTessaly> {
    friend Command;
    friend platform::ClassFactory<cmdSumTessaly>;
    cmdSumTessaly() = default;

    bool IsEnabled() { return FocusMapRule(m_pMxDoc); }
    void Click() {}  // wired by its own feature
};

}  // namespace tessaly
