#include "src/statistics/StatisticsCandidates.h"

#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/statistics/TableLayerCollection.h"

namespace tessaly {

std::shared_ptr<TableLayerCollection> FocusMapCandidates(const platform::Map& map) {
    auto candidates = std::make_shared<TableLayerCollection>();
    if (map.LayerCount() > 0) {
        const auto layers = map.Layers(nullptr, true);
        layers->Reset();
        while (auto layer = layers->Next()) {
            if (std::dynamic_pointer_cast<platform::FeatureLayer>(layer) && layer->Valid())
                candidates->Append(layer);
        }
    }
    for (std::int32_t i = 0; i < map.StandaloneTableCount(); ++i) {
        auto table = map.StandaloneTable(i);
        if (table->Valid()) candidates->Append(table);
    }
    return candidates;
}

std::shared_ptr<platform::HostObject> PreselectableItem(const platform::MapDocument& document) {
    auto item = document.SelectedItem();
    if (std::dynamic_pointer_cast<platform::FeatureLayer>(item) || std::dynamic_pointer_cast<platform::StandaloneTable>(item))
        return item;
    return nullptr;
}

}  // namespace tessaly
