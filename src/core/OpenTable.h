#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Open Table": opens (or brings up) the attribute table window of the selected
// feature layer or standalone table, or of each one in a selected set.
class OpenTable final : public Command<OpenTable, info::OpenTable> {
    friend Command;
    friend platform::ClassFactory<OpenTable>;
    OpenTable() = default;

    bool IsEnabled() { return SelectedItemRule(m_pMxDoc); }
    void Click();
};

}  // namespace tessaly
