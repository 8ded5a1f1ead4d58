#include "src/core/cmdSelectNone.h"

#include "platform/map/EnumLayer.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/UID.h"
#include "src/core/ObjectRequired.h"
#include "src/core/SelectionSwitch.h"

namespace tessaly {

// Invalid layers and tables are passed over silently and keep their selection.
void cmdSelectNone::Click() {
    platform::MapDocument& document = ObjectRequired(m_pMxDoc);
    RefreshSelection(ObjectRequired(document.ActiveView()));

    const platform::UID featureLayers(platform::FeatureLayerTypeUID);
    // A focus map whose layers cannot be listed has no layers to clear.
    std::shared_ptr<platform::EnumLayer> layers;
    std::shared_ptr<platform::Layer> layer;
    try {
        layers = ObjectRequired(document.FocusMap()).Layers(&featureLayers, true);
        ObjectRequired(layers).Reset();
        layer = layers->Next();
    } catch (...) {
        layer = nullptr;  // the walk below does not start
    }
    for (; layer; layer = layers->Next()) {
        const auto featureLayer = std::dynamic_pointer_cast<platform::FeatureLayer>(layer);
        if (!featureLayer || !featureLayer->Valid()) continue;
        platform::FeatureSelection& selection = *featureLayer;
        selection.Clear();
        selection.SelectionChanged();
    }

    const platform::StandaloneTableCollection& tables = ObjectRequired(document.FocusMap());
    for (std::int32_t i = 0; i < tables.StandaloneTableCount(); ++i) {
        const auto table = tables.StandaloneTable(i);
        if (!table->Valid()) continue;
        platform::TableSelection& selection = *table;
        selection.Clear();
        selection.SelectionChanged();
    }

    RefreshSelection(ObjectRequired(document.ActiveView()));
}

}  // namespace tessaly
