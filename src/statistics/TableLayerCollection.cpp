#include "src/statistics/TableLayerCollection.h"

#include "platform/com/ComError.h"
#include "src/core/LocaleText.h"

namespace tessaly {
namespace {

bool SameKey(const std::string& a, const std::string& b) {
    return localetext::Folded(a) == localetext::Folded(b);
}

}  // namespace

void TableLayerCollection::Add(std::shared_ptr<platform::HostObject> item, const std::string& key) {
    for (const auto& entry : entries_)
        if (SameKey(entry.first, key)) throw platform::RuntimeError(platform::vberr::KeyAlreadyInCollection);
    entries_.emplace_back(key, std::move(item));
}

void TableLayerCollection::Append(std::shared_ptr<platform::HostObject> item) {
    Add(std::move(item), std::to_string(entries_.size()));
}

const std::shared_ptr<platform::HostObject>& TableLayerCollection::Item(const std::string& key) const {
    for (const auto& entry : entries_)
        if (SameKey(entry.first, key)) return entry.second;
    throw platform::RuntimeError(platform::vberr::InvalidCall);
}

}  // namespace tessaly
