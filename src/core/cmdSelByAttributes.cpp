#include "src/core/cmdSelByAttributes.h"

#include "platform/map/UID.h"
#include "src/core/HostCommandLauncher.h"

namespace tessaly {

void cmdSelByAttributes::Click() { LaunchHostCommand(m_pApp, platform::SelectByAttributesCommandUID); }

}  // namespace tessaly
