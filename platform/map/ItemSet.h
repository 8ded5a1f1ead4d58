#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/map/HostObject.h"

namespace platform {

// Several items selected together in the table of contents, in selection
// order: layers of any kind, standalone tables, maps.
class ItemSet : public HostObject {
public:
    ItemSet() = default;
    explicit ItemSet(std::vector<std::shared_ptr<HostObject>> items) : items_(std::move(items)) {}

    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    void Reset() { next_ = 0; }
    // The next item, or null after the last.
    std::shared_ptr<HostObject> Next();
    void Add(std::shared_ptr<HostObject> item) { items_.push_back(std::move(item)); }

    const std::vector<std::shared_ptr<HostObject>>& Items() const { return items_; }

private:
    std::vector<std::shared_ptr<HostObject>> items_;
    std::size_t next_ = 0;
};

}  // namespace platform
