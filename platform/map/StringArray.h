#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/map/HostObject.h"

namespace platform {

// The host's 0-based list of texts, in insertion order.
class StringArray : public HostObject {
public:
    void Add(std::string text) { items_.push_back(std::move(text)); }
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // Throws ComError E_INVALIDARG for an index outside 0 to Count - 1.
    const std::string& Element(std::int32_t index) const;
    void RemoveAll() { items_.clear(); }

private:
    std::vector<std::string> items_;
};

}  // namespace platform
