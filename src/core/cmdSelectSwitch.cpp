#include "src/core/cmdSelectSwitch.h"

#include "platform/data/SelectionSet.h"
#include "src/core/ObjectRequired.h"
#include "src/core/SelectionClick.h"

namespace tessaly {

void cmdSelectSwitch::Click() {
    SelectionClick(ObjectRequired(m_pMxDoc), platform::selectionresult::Xor, kSelectSwitchProblem);
}

}  // namespace tessaly
