#include "src/quickload_media/QuickLoadLists.h"

#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/Maps.h"

namespace tessaly {

QuickLoadLists MakeQuickLoadLists(const std::vector<QuickLoadEntry>& entries, const platform::MapDocument& document) {
    QuickLoadLists lists;
    for (const QuickLoadEntry& entry : entries) {
        switch (entry.kind) {
        case QuickLoadKind::Bookmark: {
            lists.bookmarks->Add(entry.name);
            auto coordinates = std::make_shared<platform::StringArray>();
            for (const std::string& value : entry.values) coordinates->Add(value);
            lists.bookmarkCoordinates->Add(coordinates);
            break;
        }
        case QuickLoadKind::Query:
            lists.queries->Add(entry.name);
            lists.queryTexts->Add(entry.values.front());
            break;
        case QuickLoadKind::Layer:
            lists.layers->Add(entry.name);
            lists.layerPaths->Add(entry.values.front());
            break;
        }
    }
    const auto& maps = document.Maps();
    for (std::int32_t i = 0; i < maps->Count(); ++i) lists.mapFrames->Add(maps->Item(i)->Name());
    return lists;
}

}  // namespace tessaly
