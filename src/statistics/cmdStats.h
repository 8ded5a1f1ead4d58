#pragma once
#include <memory>

#include "src/core/Command.h"
#include "src/core/CommandRules.h"
#include "src/statistics/StatsDialogSettings.h"

namespace tessaly {

class frmReport;

// "Calculate Statistics": statistics on a field of a layer or table.
class cmdStats final : public Command<cmdStats, info::cmdStats> {
    friend Command;
    friend platform::ClassFactory<cmdStats>;
    cmdStats() = default;
    // Unloads the kept report window.
    ~cmdStats() override;

    bool IsEnabled() { return FocusMapRule(m_pMxDoc); }
    // Starts the settings at their defaults and makes the report window it keeps.
    void Created();
    // One statistics run over the focus map's layers and tables; the report
    // replaces the text of the kept window and shows it.
    void Click();

    // Remembered from one click to the next, changed only by a run passing the
    // setup dialog with OK.
    StatsDialogSettings settings_;
    // Made in OnCreate, kept for the command's life; null before.
    std::shared_ptr<frmReport> report_;
};

}  // namespace tessaly
