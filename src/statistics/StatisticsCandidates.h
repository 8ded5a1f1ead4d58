#pragma once
#include <memory>

namespace platform {
class HostObject;
class Map;
class MapDocument;
}  // namespace platform

namespace tessaly {

class TableLayerCollection;

// What the statistics command offers: every valid feature layer of the map at
// any depth (layers inside group layers too), in table-of-contents order, then
// every valid standalone table. Empty when there is none.
std::shared_ptr<TableLayerCollection> FocusMapCandidates(const platform::Map& map);

// The document's selected item when it is a feature layer or a standalone
// table; null otherwise.
std::shared_ptr<platform::HostObject> PreselectableItem(const platform::MapDocument& document);

}  // namespace tessaly
