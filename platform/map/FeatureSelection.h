#pragma once
#include <memory>

#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"

namespace platform {

// The host's FeatureSelection view of a feature layer. SelectFeatures combines
// the rows of the layer's view that pass the filter (nullptr: every row) with
// the selection by a selectionresult method (0 new, 1 add, 2 subtract, 3 and,
// 4 xor); with justOne only the first such row is taken. A spatial filter's
// geometry may be in any spatial reference.
class FeatureSelection {
public:
    virtual ~FeatureSelection() = default;
    virtual std::shared_ptr<platform::SelectionSet> SelectionSet() = 0;
    virtual void SelectFeatures(const QueryFilter* filter, int method, bool justOne) = 0;
    virtual void Clear() = 0;
    // Tells the host (table windows, the map view) that the selection changed.
    virtual void SelectionChanged() = 0;
};

}  // namespace platform
