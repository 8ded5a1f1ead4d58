#include "platform/map/LayerTree.h"

#include <algorithm>

#include "platform/map/GroupLayer.h"

namespace platform::layertree {

namespace {
void Collect(const Layers& layers, bool recursive, Layers& out) {
    for (const auto& layer : layers) {
        out.push_back(layer);
        if (!recursive) continue;
        if (auto group = std::dynamic_pointer_cast<GroupLayer>(layer)) Collect(group->Layers(), true, out);
    }
}
}  // namespace

bool Contains(const Layers& layers, const Layer& layer) {
    const Layers all = Flatten(layers, true);
    return std::any_of(all.begin(), all.end(), [&](const auto& each) { return each.get() == &layer; });
}

bool Remove(Layers& layers, const Layer& layer) {
    const auto before = layers.size();
    std::erase_if(layers, [&](const auto& each) { return each.get() == &layer; });
    bool removed = layers.size() != before;
    for (const auto& each : layers)
        if (auto group = std::dynamic_pointer_cast<GroupLayer>(each)) removed = group->Delete(layer) || removed;
    return removed;
}

Layers Flatten(const Layers& layers, bool recursive) {
    Layers out;
    Collect(layers, recursive, out);
    return out;
}

SpatialReference FirstSpatialReference(const Layers& layers) {
    for (const auto& layer : Flatten(layers, true)) {
        if (std::dynamic_pointer_cast<GroupLayer>(layer) || !layer->Valid()) continue;
        SpatialReference sr = layer->SpatialReference();
        if (!sr.IsUnknown()) return sr;
    }
    return {};
}

Envelope Extent(const Layers& layers, const SpatialReference& to) {
    Envelope extent;
    extent.SpatialReference(to);
    for (const auto& layer : Flatten(layers, true)) {
        if (std::dynamic_pointer_cast<GroupLayer>(layer) || !layer->Valid()) continue;
        const Envelope area = layer->AreaOfInterest();
        if (area.IsEmpty()) continue;
        extent.Union(area.Project(to));
    }
    return extent;
}

}  // namespace platform::layertree
