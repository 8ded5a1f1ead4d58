#pragma once
#include <memory>

#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace tessaly {

class tessaly_ModQueryDialog;

// "Tessaly Select By Attributes": opens the Tessaly query builder on the focus
// map's feature layers and standalone tables. The command keeps one query
// builder for its whole life, so that what the user left in it is there at the
// next click.
class cmdSelByAttTessaly final : public Command<cmdSelByAttTessaly, info::cmdSelByAttTessaly> {
    friend Command;
    friend platform::ClassFactory<cmdSelByAttTessaly>;
    cmdSelByAttTessaly() = default;
    // Unloads the kept query builder.
    ~cmdSelByAttTessaly() override;

    bool IsEnabled() { return FocusMapRule(m_pMxDoc); }
    // Makes the query builder it keeps (not loaded).
    void Created();
    // Hands the query builder this click's candidates, chooses the item selected
    // in the table of contents when it is one of them, and shows it modally.
    void Click();

    std::shared_ptr<tessaly_ModQueryDialog> dialog_;
};

}  // namespace tessaly
