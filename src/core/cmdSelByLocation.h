#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "Select By Location": opens the host's own Select By Location window.
class cmdSelByLocation final : public Command<cmdSelByLocation, info::cmdSelByLocation> {
    friend Command;
    friend platform::ClassFactory<cmdSelByLocation>;
    cmdSelByLocation() = default;

    bool IsEnabled() { return true; }
    void Click();
};

}  // namespace tessaly
