#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Switch Selected Features": flips the selection of the selected feature layer
// or standalone table, or of each one in a selected set.
class cmdSelectSwitch final : public Command<cmdSelectSwitch, info::cmdSelectSwitch> {
    friend Command;
    friend platform::ClassFactory<cmdSelectSwitch>;
    cmdSelectSwitch() = default;

    bool IsEnabled() { return SelectedItemRule(m_pMxDoc, kWithValidity); }
    void Click();
};

}  // namespace tessaly
