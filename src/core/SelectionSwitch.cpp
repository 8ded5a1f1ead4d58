#include "src/core/SelectionSwitch.h"

#include "platform/data/SelectionSet.h"
#include "platform/map/ActiveView.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"

namespace tessaly {

void RefreshSelection(platform::ActiveView& view) { view.PartialRefresh(4, nullptr, nullptr); }

void CombineAllRows(const std::shared_ptr<platform::HostObject>& target, int method) {
    if (auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(target)) {
        platform::FeatureSelection& selection = *layer;
        selection.SelectFeatures(nullptr, method, false);
        selection.SelectionChanged();
    } else if (auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(target)) {
        platform::TableSelection& selection = *table;
        selection.SelectRows(nullptr, method, false);
        selection.SelectionChanged();
    }
}

void SwitchSelection(platform::ActiveView& view, const std::shared_ptr<platform::HostObject>& target) {
    RefreshSelection(view);
    CombineAllRows(target, platform::selectionresult::Xor);
    RefreshSelection(view);
}

}  // namespace tessaly
