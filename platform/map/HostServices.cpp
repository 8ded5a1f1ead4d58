#include "platform/map/HostServices.h"

#include <algorithm>

#include "platform/map/HeadlessHostServices.h"
#include "platform/map/TableWindow.h"

namespace platform {

namespace {
std::shared_ptr<HostServices>& Installed() {
    static std::shared_ptr<HostServices> services;
    return services;
}
}  // namespace

HostServices::~HostServices() = default;

std::shared_ptr<TableWindow> HostServices::FindTableWindow(const HostObject& layerOrTable) const {
    for (const auto& window : openWindows_)
        if (window->Shows(layerOrTable)) return window;
    return nullptr;
}

void HostServices::Register(std::shared_ptr<TableWindow> window) {
    if (std::find(openWindows_.begin(), openWindows_.end(), window) == openWindows_.end())
        openWindows_.push_back(std::move(window));
}

void HostServices::Unregister(const TableWindow& window) {
    std::erase_if(openWindows_, [&](const auto& open) { return open.get() == &window; });
}

HostServices& Host() {
    auto& services = Installed();
    if (!services) services = std::make_shared<HeadlessHostServices>();
    return *services;
}

std::shared_ptr<HostServices> SetHostServices(std::shared_ptr<HostServices> services) {
    auto previous = std::move(Installed());
    Installed() = std::move(services);
    return previous;
}

}  // namespace platform
