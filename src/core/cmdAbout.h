#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "About TESSALY": shows the About window modally.
class cmdAbout final : public Command<cmdAbout, info::cmdAbout> {
    friend Command;
    friend platform::ClassFactory<cmdAbout>;
    cmdAbout() = default;

    bool IsEnabled() { return true; }
    void Click();
};

}  // namespace tessaly
