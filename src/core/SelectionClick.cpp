#include "src/core/SelectionClick.h"

#include "platform/map/MapDocument.h"
#include "src/core/ContentsSelection.h"
#include "src/core/ObjectRequired.h"
#include "src/core/SelectionSwitch.h"

namespace tessaly {

void SelectionClick(platform::MapDocument& document, int method, const ProblemTails& tails) {
    const auto view = document.ActiveView();
    const auto item = ClickedItem(ObjectRequired(document.CurrentContentsView()),
                                  kFeatureLayerItem | kStandaloneTableItem | kItemSetItem);
    if (!item) return;

    RefreshSelection(ObjectRequired(view));
    const bool completed = ForEachValidLayerOrTable(
        item, tails, [method](const auto& layerOrTable) { CombineAllRows(layerOrTable, method); });
    if (completed) RefreshSelection(*view);
}

}  // namespace tessaly
