#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "ArcGIS Select By Attributes": opens the host's own Select By Attributes window.
class cmdSelByAttributes final : public Command<cmdSelByAttributes, info::cmdSelByAttributes> {
    friend Command;
    friend platform::ClassFactory<cmdSelByAttributes>;
    cmdSelByAttributes() = default;

    bool IsEnabled() { return true; }
    void Click();
};

}  // namespace tessaly
