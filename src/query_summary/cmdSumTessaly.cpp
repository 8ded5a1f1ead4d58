#include "src/query_summary/cmdSumTessaly.h"

#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/UID.h"
#include "src/core/ObjectRequired.h"
#include "src/query_summary/frm_Tessaly_Summarize.h"
#include "src/statistics/TableLayerCollection.h"

namespace tessaly {

void cmdSumTessaly::Click() {
    const auto document = ObjectRequired(m_pApp).Document();
    const auto selected = ObjectRequired(document).SelectedItem();
    const auto map = document->FocusMap();
    platform::Map& focusMap = ObjectRequired(map);
    if (focusMap.LayerCount() == 0 && focusMap.StandaloneTableCount() == 0) return;

    const platform::UID featureLayers(platform::FeatureLayerTypeUID);
    // A failing layer search leaves the candidates without layers.
    std::shared_ptr<platform::EnumLayer> layers;
    std::shared_ptr<platform::Layer> layer;
    try {
        layers = focusMap.Layers(&featureLayers, true);
        layers->Reset();
        layer = layers->Next();
    } catch (...) {
        layers.reset();
        layer.reset();
    }

    auto candidates = std::make_shared<TableLayerCollection>();
    for (; layer; layer = layers->Next()) {
        if (layer->Valid()) candidates->Append(layer);
    }
    for (std::int32_t i = 0; i < focusMap.StandaloneTableCount(); ++i) {
        auto table = focusMap.StandaloneTable(i);
        if (ObjectRequired(table).Valid()) candidates->Append(table);
    }

    // Offered whichever data frame it belongs to; an invalid one has no fields to show.
    std::shared_ptr<platform::HostObject> currentSelected;
    std::shared_ptr<platform::TableFields> fields;
    if (auto featureLayer = std::dynamic_pointer_cast<platform::FeatureLayer>(selected)) {
        currentSelected = featureLayer;
        if (featureLayer->Valid()) fields = featureLayer;
    } else if (auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(selected)) {
        currentSelected = table;
        if (table->Valid()) fields = table;
    }

    auto dialog = std::make_shared<frm_Tessaly_Summarize>();
    dialog->theTableLayers(candidates);
    dialog->Field_Array(fields);
    dialog->theCurrentSelected(currentSelected);
    dialog->ArcApp(m_pApp);
    dialog->Show(platform::vbModal);
    // The hidden window goes with the dialog.
    dialog->Unload();
}

}  // namespace tessaly
