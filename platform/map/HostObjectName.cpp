#include "platform/map/HostObjectName.h"

#include "platform/map/Layer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"

namespace platform {

std::string HostObjectName(const HostObject* object) {
    if (auto layer = dynamic_cast<const Layer*>(object)) return layer->Name();
    if (auto table = dynamic_cast<const StandaloneTable*>(object)) return table->Name();
    if (auto map = dynamic_cast<const Map*>(object)) return map->Name();
    return {};
}

}  // namespace platform
