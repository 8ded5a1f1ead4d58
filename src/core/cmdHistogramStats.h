#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "ArcGIS Statistics": opens the host's own statistics window. Enabled while
// any feature layer or standalone table of any map has selected rows.
class cmdHistogramStats final : public Command<cmdHistogramStats, info::cmdHistogramStats> {
    friend Command;
    friend platform::ClassFactory<cmdHistogramStats>;
    cmdHistogramStats() = default;

    bool IsEnabled();
    void Click();
};

}  // namespace tessaly
