#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/map/HostObject.h"

namespace platform {

// The host's 0-based list of objects (layers, tables, maps, string arrays),
// in insertion order. An element may be null.
class VariantArray : public HostObject {
public:
    void Add(std::shared_ptr<HostObject> item) { items_.push_back(std::move(item)); }
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // Throws ComError E_INVALIDARG for an index outside 0 to Count - 1.
    const std::shared_ptr<HostObject>& Element(std::int32_t index) const;
    void RemoveAll() { items_.clear(); }

private:
    std::vector<std::shared_ptr<HostObject>> items_;
};

}  // namespace platform
