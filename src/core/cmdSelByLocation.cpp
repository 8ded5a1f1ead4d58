#include "src/core/cmdSelByLocation.h"

#include "platform/map/UID.h"
#include "src/core/HostCommandLauncher.h"

namespace tessaly {

void cmdSelByLocation::Click() { LaunchHostCommand(m_pApp, platform::SelectByLocationCommandUID); }

}  // namespace tessaly
