#include "platform/map/GroupLayer.h"

#include <algorithm>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/LayerTree.h"

namespace platform {

const std::shared_ptr<platform::Layer>& GroupLayer::Layer(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= layers_.size())
        throw ComError(E_INVALIDARG, "GroupLayer", "The index is outside the group.");
    return layers_[static_cast<std::size_t>(index)];
}

void GroupLayer::Add(std::shared_ptr<platform::Layer> layer) {
    if (!layer) throw ComError(E_POINTER, "GroupLayer", "No layer was given.");
    if (layer.get() == this || (dynamic_cast<GroupLayer*>(layer.get()) &&
                                layertree::Contains(static_cast<GroupLayer&>(*layer).Layers(), *this)))
        throw ComError(E_INVALIDARG, "GroupLayer", "A group layer cannot hold itself.");
    layers_.push_back(std::move(layer));
}

bool GroupLayer::Delete(const platform::Layer& layer) { return layertree::Remove(layers_, layer); }

platform::SpatialReference GroupLayer::SpatialReference() const { return layertree::FirstSpatialReference(layers_); }

Envelope GroupLayer::AreaOfInterest() const { return layertree::Extent(layers_, SpatialReference()); }

}  // namespace platform
