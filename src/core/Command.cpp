#include "src/core/Command.h"

namespace tessaly {

std::shared_ptr<platform::Application> HookAsApplication(const std::shared_ptr<platform::HostObject>& hook) {
    if (!hook) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    auto application = std::dynamic_pointer_cast<platform::Application>(hook);
    if (!application) throw platform::RuntimeError(platform::vberr::TypeMismatch);
    return application;
}

}  // namespace tessaly
