#pragma once
#include <memory>
#include <vector>

#include "platform/map/HostObject.h"
#include "platform/map/Layer.h"

namespace platform {

// Layers handed out one by one: a snapshot taken when the enumeration was made.
class EnumLayer : public HostObject {
public:
    explicit EnumLayer(std::vector<std::shared_ptr<Layer>> layers) : layers_(std::move(layers)) {}

    void Reset() { next_ = 0; }
    // The next layer, or null after the last.
    std::shared_ptr<Layer> Next() { return next_ < layers_.size() ? layers_[next_++] : nullptr; }

private:
    std::vector<std::shared_ptr<Layer>> layers_;
    std::size_t next_ = 0;
};

}  // namespace platform
