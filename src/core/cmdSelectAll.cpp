#include "src/core/cmdSelectAll.h"

#include "platform/data/SelectionSet.h"
#include "src/core/ObjectRequired.h"
#include "src/core/SelectionClick.h"

namespace tessaly {

void cmdSelectAll::Click() {
    SelectionClick(ObjectRequired(m_pMxDoc), platform::selectionresult::New, kSelectAllProblem);
}

}  // namespace tessaly
