#pragma once
#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

// "Select by Graphics": replaces the selection of the selected feature layer, or
// of each feature layer in a selected set, with the features that meet the
// graphics selected in the focus map. Its failures go to the host unreported.
class cmdSelByGraphic final : public Command<cmdSelByGraphic, info::cmdSelByGraphic> {
    friend Command;
    friend platform::ClassFactory<cmdSelByGraphic>;
    cmdSelByGraphic() = default;

    bool IsEnabled() { return SelectedGraphicRule(m_pMxDoc); }
    void Click();
};

}  // namespace tessaly
