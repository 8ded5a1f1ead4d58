#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "QL Edit - Add Query": saves a named query text in QuickLoad.txt.
class cmdQLAddQuery final : public PathCommand<cmdQLAddQuery, info::cmdQLAddQuery> {
    friend Command;
    friend platform::ClassFactory<cmdQLAddQuery>;
    cmdQLAddQuery() = default;

    bool IsEnabled() { return true; }
    void Click();
};

}  // namespace tessaly
