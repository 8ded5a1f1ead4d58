#pragma once
#include <functional>
#include <memory>

#include "src/core/ProblemWithData.h"

namespace platform {
class ContentsView;
class HostObject;
}  // namespace platform

// What a command's click takes from the table of contents, and how it walks it.
namespace tessaly {

// Kinds of selected item a click accepts, combined with |.
enum ItemKinds : unsigned {
    kFeatureLayerItem = 1,
    kStandaloneTableItem = 2,
    kItemSetItem = 4,
    kMapItem = 8,
};

// The view's selected item when the view is named exactly "Display" or "Source"
// and the item is of one of `kinds`; otherwise null (the click does nothing).
std::shared_ptr<platform::HostObject> ClickedItem(const platform::ContentsView& view, unsigned kinds);

// Runs `act` on a feature layer or standalone table, or on each such member of
// a set in set order (other members are skipped; group layers are not
// entered). An invalid layer or table gets the "Problem with Data:" message with
// `tails`, and nothing after it is acted on. False when the walk ended early:
// at an invalid one, or at once for an empty set.
bool ForEachValidLayerOrTable(const std::shared_ptr<platform::HostObject>& item, const ProblemTails& tails,
                              const std::function<void(const std::shared_ptr<platform::HostObject>&)>& act);

}  // namespace tessaly
