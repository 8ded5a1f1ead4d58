#pragma once
#include "src/core/ProblemWithData.h"

namespace platform {
class MapDocument;
}

namespace tessaly {

// The click of Select All (method New) and Switch (method Xor): every row of the
// feature layer or standalone table selected in a "Display" or "Source" view, or
// of each such member of a selected set, combined by `method`, between two
// selection refreshes. An invalid one shows its "Problem with Data:" message
// with `tails` and ends the click without the closing refresh; members before
// it keep their new selection.
void SelectionClick(platform::MapDocument& document, int method, const ProblemTails& tails);

}  // namespace tessaly
