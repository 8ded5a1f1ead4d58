#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/map/HostObject.h"
#include "platform/map/Map.h"

namespace platform {

// A document's maps (data frames), 0-based in document order. A document
// always keeps at least one.
class Maps : public HostObject {
public:
    std::int32_t Count() const { return static_cast<std::int32_t>(maps_.size()); }
    // Raises ComError E_INVALIDARG for an index outside 0 to Count - 1.
    const std::shared_ptr<Map>& Item(std::int32_t index) const;
    // A new empty map that is not yet in the list.
    std::shared_ptr<Map> Create() const { return std::make_shared<Map>("New Map"); }
    // Appends; a map in the list already is not added twice.
    void Add(const std::shared_ptr<Map>& map);
    // Takes the map out of the list; a map not in it is no error. Removing the
    // only map raises ComError E_FAIL and keeps it.
    void Remove(const std::shared_ptr<Map>& map);
    bool Contains(const Map& map) const;
    const std::vector<std::shared_ptr<Map>>& All() const { return maps_; }

private:
    std::vector<std::shared_ptr<Map>> maps_;
};

}  // namespace platform
