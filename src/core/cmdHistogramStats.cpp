#include "src/core/cmdHistogramStats.h"

#include "platform/data/SelectionSet.h"
#include "platform/map/EnumLayer.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/Maps.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/UID.h"
#include "src/core/HostCommandLauncher.h"
#include "src/core/ObjectRequired.h"

namespace tessaly {

namespace {

// A selection that is absent counts as empty.
bool HasSelectedRows(platform::TableSelection& selection) {
    const auto set = selection.SelectionSet();
    return set && set->Count() > 0;
}

}  // namespace

// Maps in order, each map's tables before its layers (at every depth); validity
// is not asked, and the focus map has no preference.
bool cmdHistogramStats::IsEnabled() {
    const platform::Maps& maps = ObjectRequired(ObjectRequired(m_pMxDoc).Maps());
    for (std::int32_t i = 0; i < maps.Count(); ++i) {
        const platform::Map& map = ObjectRequired(maps.Item(i));

        const platform::StandaloneTableCollection& tables = map;
        for (std::int32_t t = 0; t < tables.StandaloneTableCount(); ++t) {
            if (HasSelectedRows(ObjectRequired(tables.StandaloneTable(t)))) return true;
        }

        if (map.LayerCount() <= 0) continue;
        const auto layers = map.Layers(nullptr, true);
        ObjectRequired(layers).Reset();
        while (const auto layer = layers->Next()) {
            const auto featureLayer = std::dynamic_pointer_cast<platform::FeatureLayer>(layer);
            if (featureLayer && HasSelectedRows(*featureLayer)) return true;
        }
    }
    return false;
}

void cmdHistogramStats::Click() { LaunchHostCommand(m_pApp, platform::StatisticsCommandUID); }

}  // namespace tessaly
