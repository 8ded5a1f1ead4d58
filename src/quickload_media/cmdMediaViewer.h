#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "Media Viewer Tool": shows the media viewer on the document's media_list.txt,
// or on a list file the user picks when the document has none.
class cmdMediaViewer final : public PathCommand<cmdMediaViewer, info::cmdMediaViewer> {
    friend Command;
    friend platform::ClassFactory<cmdMediaViewer>;
    cmdMediaViewer() = default;

    bool IsEnabled() { return true; }
    void Click();
};

}  // namespace tessaly
