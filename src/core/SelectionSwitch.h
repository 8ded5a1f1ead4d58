#pragma once
#include <memory>

namespace platform {
class ActiveView;
class HostObject;
}  // namespace platform

namespace tessaly {

// Redraws the view's selection (partial refresh, phase 4, whole view).
void RefreshSelection(platform::ActiveView& view);

// Combines every row of a feature layer or standalone table with its selection
// by `method` (platform::selectionresult: New selects all, Xor flips all), then
// announces the change. Any other object is left alone. No validity test.
void CombineAllRows(const std::shared_ptr<platform::HostObject>& target, int method);

// The selection switch of one layer or table: refresh, flip every row, refresh.
// Any other target gets the two refreshes only. Host failures pass to the caller.
void SwitchSelection(platform::ActiveView& view, const std::shared_ptr<platform::HostObject>& target);

}  // namespace tessaly
