#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Tessaly Select By Attributes": opens the Tessaly query builder.
class cmdSelByAttTessaly final : public Command<cmdSelByAttTessaly, info::cmdSelByAttTessaly> {
    friend Command;
    friend platform::ClassFactory<cmdSelByAttTessaly>;
    cmdSelByAttTessaly() = default;

    bool IsEnabled() { return FocusMapRule(m_pMxDoc); }
    void Click() {}  // wired by its own feature
};

}  // namespace tessaly
