#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Delete Layers": after one confirmation, removes the selected feature layer,
// standalone table or map, or each of them in a selected set, from the document.
// The document keeps at least one map.
class cmdDeleteSelLayers final : public Command<cmdDeleteSelLayers, info::cmdDeleteSelLayers> {
    friend Command;
    friend platform::ClassFactory<cmdDeleteSelLayers>;
    cmdDeleteSelLayers() = default;

    bool IsEnabled() { return SelectedItemRule(m_pMxDoc, kMapsToo); }
    void Click();
};

}  // namespace tessaly
