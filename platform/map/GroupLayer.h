#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/map/Layer.h"

namespace platform {

// A layer that holds further layers (feature layers and group layers) in
// drawing order. It is not a feature layer; its own data are its members'.
class GroupLayer : public Layer {
public:
    explicit GroupLayer(std::string name = "New Group Layer") : platform::Layer(std::move(name)) {}

    std::int32_t Count() const { return static_cast<std::int32_t>(layers_.size()); }
    // Raises ComError E_INVALIDARG for an index outside 0 to Count - 1.
    const std::shared_ptr<platform::Layer>& Layer(std::int32_t index) const;
    void Add(std::shared_ptr<platform::Layer> layer);
    // Takes the layer out wherever it stands below this group; a layer that is
    // not there is no error. True when something was taken out.
    bool Delete(const platform::Layer& layer);
    const std::vector<std::shared_ptr<platform::Layer>>& Layers() const { return layers_; }

    // The table of contents shows the members.
    bool Expanded() const { return expanded_; }
    void Expanded(bool expanded) { expanded_ = expanded; }

    bool Valid() const override { return true; }
    // The first member's that has one.
    platform::SpatialReference SpatialReference() const override;
    // The members' areas, in the group's spatial reference.
    Envelope AreaOfInterest() const override;

private:
    std::vector<std::shared_ptr<platform::Layer>> layers_;
    bool expanded_ = false;
};

}  // namespace platform
