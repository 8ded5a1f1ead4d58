#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Calculate Statistics": statistics on a field of a layer or table.
class cmdStats final : public Command<cmdStats, info::cmdStats> {
    friend Command;
    friend platform::ClassFactory<cmdStats>;
    cmdStats() = default;

    bool IsEnabled() { return FocusMapRule(m_pMxDoc); }
    void Click() {}  // wired by its own feature
};

}  // namespace tessaly
