#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Select All Features": selects every row of the selected feature layer or
// standalone table, or of each one in a selected set.
class cmdSelectAll final : public Command<cmdSelectAll, info::cmdSelectAll> {
    friend Command;
    friend platform::ClassFactory<cmdSelectAll>;
    cmdSelectAll() = default;

    bool IsEnabled() { return SelectedItemRule(m_pMxDoc, kWithValidity); }
    void Click();
};

}  // namespace tessaly
