#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform {
class HostObject;
}

namespace tessaly {

// The layers and tables a statistics run may choose from: feature layers and
// standalone tables, keyed "0", "1", ... by position, so that a list position
// is the key. Keys compare without regard to letter case.
class TableLayerCollection {
public:
    // A key already present raises runtime error 457.
    void Add(std::shared_ptr<platform::HostObject> item, const std::string& key);
    // Adds under the next position's key ("0" for the first).
    void Append(std::shared_ptr<platform::HostObject> item);
    // A missing key raises runtime error 5.
    const std::shared_ptr<platform::HostObject>& Item(const std::string& key) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }

private:
    std::vector<std::pair<std::string, std::shared_ptr<platform::HostObject>>> entries_;
};

}  // namespace tessaly
