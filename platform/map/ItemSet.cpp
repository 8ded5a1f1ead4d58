#include "platform/map/ItemSet.h"

namespace platform {

std::shared_ptr<HostObject> ItemSet::Next() {
    if (next_ >= items_.size()) return nullptr;
    return items_[next_++];
}

}  // namespace platform
