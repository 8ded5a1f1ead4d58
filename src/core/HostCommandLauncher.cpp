#include "src/core/HostCommandLauncher.h"

#include "platform/map/Application.h"
#include "platform/map/CommandBars.h"
#include "platform/map/UID.h"
#include "src/core/ObjectRequired.h"

namespace tessaly {

void LaunchHostCommand(const std::shared_ptr<platform::Application>& application, const char* commandUid) {
    platform::UID uid;
    uid.Value(commandUid);
    const auto& document = ObjectRequired(ObjectRequired(application).Document());
    const auto command = ObjectRequired(document.CommandBars()).Find(uid, false, false);
    ObjectRequired(command).Execute();
}

}  // namespace tessaly
