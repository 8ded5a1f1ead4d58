#include "platform/map/Maps.h"

#include <algorithm>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform {

const std::shared_ptr<Map>& Maps::Item(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= maps_.size())
        throw ComError(E_INVALIDARG, "Maps", "The index is outside the document's maps.");
    return maps_[static_cast<std::size_t>(index)];
}

void Maps::Add(const std::shared_ptr<Map>& map) {
    if (!map) throw ComError(E_POINTER, "Maps", "No map was given.");
    if (!Contains(*map)) maps_.push_back(map);
}

void Maps::Remove(const std::shared_ptr<Map>& map) {
    if (!map || !Contains(*map)) return;
    if (maps_.size() == 1) throw ComError(E_FAIL, "Maps", "A document keeps at least one map.");
    std::erase(maps_, map);
}

bool Maps::Contains(const Map& map) const {
    return std::any_of(maps_.begin(), maps_.end(), [&](const auto& each) { return each.get() == &map; });
}

}  // namespace platform
