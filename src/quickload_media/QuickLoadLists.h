#pragma once
#include <memory>
#include <vector>

#include "platform/map/StringArray.h"
#include "platform/map/VariantArray.h"
#include "src/quickload_media/QuickLoadEntry.h"

namespace platform {
class MapDocument;
}

namespace tessaly {

// What the QuickLoad picker offers, read afresh for each use: the names of each
// kind in file order with their companion lists (the n-th name and the n-th
// companion belong to one entry), and the names of the document's data frames
// in the document's order.
struct QuickLoadLists {
    std::shared_ptr<platform::StringArray> mapFrames = std::make_shared<platform::StringArray>();
    std::shared_ptr<platform::StringArray> bookmarks = std::make_shared<platform::StringArray>();
    std::shared_ptr<platform::StringArray> queries = std::make_shared<platform::StringArray>();
    std::shared_ptr<platform::StringArray> layers = std::make_shared<platform::StringArray>();
    // One StringArray of the four coordinate texts per bookmark.
    std::shared_ptr<platform::VariantArray> bookmarkCoordinates = std::make_shared<platform::VariantArray>();
    std::shared_ptr<platform::StringArray> queryTexts = std::make_shared<platform::StringArray>();
    // As stored: relative to the document folder.
    std::shared_ptr<platform::StringArray> layerPaths = std::make_shared<platform::StringArray>();
};

QuickLoadLists MakeQuickLoadLists(const std::vector<QuickLoadEntry>& entries, const platform::MapDocument& document);

}  // namespace tessaly
