#pragma once
#include "src/core/Command.h"

namespace tessaly {

// "Media Viewer Tool": opens the media viewer on the document's media list.
class cmdMediaViewer final : public PathCommand<cmdMediaViewer, info::cmdMediaViewer> {
    friend Command;
    friend platform::ClassFactory<cmdMediaViewer>;
    cmdMediaViewer() = default;

    bool IsEnabled() { return true; }
    void Click() {}  // wired by its own feature
};

}  // namespace tessaly
