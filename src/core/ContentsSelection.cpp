#include "src/core/ContentsSelection.h"

#include "platform/map/ContentsView.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/ItemSet.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"

namespace tessaly {

namespace {

bool IsOfKinds(const std::shared_ptr<platform::HostObject>& item, unsigned kinds) {
    return ((kinds & kFeatureLayerItem) && std::dynamic_pointer_cast<platform::FeatureLayer>(item)) ||
           ((kinds & kStandaloneTableItem) && std::dynamic_pointer_cast<platform::StandaloneTable>(item)) ||
           ((kinds & kItemSetItem) && std::dynamic_pointer_cast<platform::ItemSet>(item)) ||
           ((kinds & kMapItem) && std::dynamic_pointer_cast<platform::Map>(item));
}

// False when the member is invalid: its message has been shown.
bool ActOnValid(const std::shared_ptr<platform::HostObject>& member, const ProblemTails& tails,
                const std::function<void(const std::shared_ptr<platform::HostObject>&)>& act) {
    if (const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(member)) {
        if (!layer->Valid()) {
            ShowProblemWithData(*layer, tails);
            return false;
        }
        act(member);
    } else if (const auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(member)) {
        if (!table->Valid()) {
            ShowProblemWithData(*table, tails);
            return false;
        }
        act(member);
    }
    return true;
}

}  // namespace

std::shared_ptr<platform::HostObject> ClickedItem(const platform::ContentsView& view, unsigned kinds) {
    auto item = view.SelectedItem();
    if (!item || !IsOfKinds(item, kinds)) return nullptr;
    if (view.Name() != "Display" && view.Name() != "Source") return nullptr;
    return item;
}

bool ForEachValidLayerOrTable(const std::shared_ptr<platform::HostObject>& item, const ProblemTails& tails,
                              const std::function<void(const std::shared_ptr<platform::HostObject>&)>& act) {
    const auto set = std::dynamic_pointer_cast<platform::ItemSet>(item);
    if (!set) return ActOnValid(item, tails, act);
    if (set->Count() == 0) return false;
    set->Reset();
    while (const auto member = set->Next()) {
        if (!ActOnValid(member, tails, act)) return false;
    }
    return true;
}

}  // namespace tessaly
