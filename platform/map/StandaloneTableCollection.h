#pragma once
#include <cstdint>
#include <memory>

namespace platform {

class StandaloneTable;

// The host's StandaloneTableCollection view of a map: its standalone tables,
// 0-based, in the order added.
class StandaloneTableCollection {
public:
    virtual ~StandaloneTableCollection() = default;
    virtual std::int32_t StandaloneTableCount() const = 0;
    // Raises ComError E_INVALIDARG for an index outside 0 to the count - 1.
    virtual std::shared_ptr<platform::StandaloneTable> StandaloneTable(std::int32_t index) const = 0;
    // A table the map holds already is not added twice.
    virtual void AddStandaloneTable(const std::shared_ptr<platform::StandaloneTable>& table) = 0;
    // A table the map does not hold is no error.
    virtual void RemoveStandaloneTable(const std::shared_ptr<platform::StandaloneTable>& table) = 0;
};

}  // namespace platform
