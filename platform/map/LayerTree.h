#pragma once
#include <memory>
#include <vector>

#include "platform/data/Envelope.h"
#include "platform/data/SpatialReference.h"

namespace platform {

class Layer;

// Walks over a tree of layers (a map's or a group layer's), depth first,
// each group before its members.
namespace layertree {

using Layers = std::vector<std::shared_ptr<Layer>>;

bool Contains(const Layers& layers, const Layer& layer);
// Takes every occurrence of the layer out, at any depth. True when one was there.
bool Remove(Layers& layers, const Layer& layer);
// Every layer; with recursive false only the top level.
Layers Flatten(const Layers& layers, bool recursive);
// The first valid layer with a known spatial reference; unknown when none.
SpatialReference FirstSpatialReference(const Layers& layers);
// The union of the valid layers' areas, projected into `to`.
Envelope Extent(const Layers& layers, const SpatialReference& to);

}  // namespace layertree
}  // namespace platform
