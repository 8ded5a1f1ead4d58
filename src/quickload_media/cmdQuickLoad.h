#pragma once
#include <memory>

#include "src/core/Command.h"

namespace tessaly {

class tessaly_QuickJumpDialog;
struct QuickLoadLists;

// "QuickLoad Objects": offers the document's data frames and the entries of its
// QuickLoad.txt in the picker and acts on the one chosen.
class cmdQuickLoad final : public PathCommand<cmdQuickLoad, info::cmdQuickLoad> {
    friend Command;
    friend platform::ClassFactory<cmdQuickLoad>;
    cmdQuickLoad() = default;

    bool IsEnabled() { return true; }
    // Makes the picker it keeps.
    void Created();
    void Click();

    // Data Frames: shows map i expanded and selected in the table of contents
    // and makes it the focus map at its full extent.
    void ActivateMap(std::int32_t i);
    void ZoomToBookmark(const QuickLoadLists& lists, std::int32_t i, platform::ActiveView& view);
    void AddLayer(const QuickLoadLists& lists, std::int32_t i, const std::string& documentFolder);
    static void ShowQuery(const QuickLoadLists& lists, std::int32_t i);

    // Kept for the command's life, so that it opens on the kind used last.
    std::shared_ptr<tessaly_QuickJumpDialog> picker_;
};

}  // namespace tessaly
