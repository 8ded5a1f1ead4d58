#include "platform/map/SummarizeDialog.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/HostServices.h"

namespace platform {

bool SummarizeDialog::DoModal(std::int64_t) {
    if (!table_) throw ComError(E_POINTER, "SummarizeDialog", "The dialog has no table to summarize.");
    Host().ShowSummarizeDialog(*this);
    return true;
}

}  // namespace platform
