#include "src/core/OpenTable.h"

#include "src/core/AttributeTableWindow.h"
#include "src/core/ContentsSelection.h"
#include "src/core/ObjectRequired.h"

namespace tessaly {

// An invalid member ends the click; windows opened for the members before it stay open.
void OpenTable::Click() {
    const auto item = ClickedItem(ObjectRequired(ObjectRequired(m_pMxDoc).CurrentContentsView()),
                                  kFeatureLayerItem | kStandaloneTableItem | kItemSetItem);
    if (!item) return;
    ForEachValidLayerOrTable(item, kOpenTableProblem,
                             [this](const auto& layerOrTable) { OpenAttributeTableWindow(layerOrTable, m_pApp); });
}

}  // namespace tessaly
