#include "platform/map/StatusBar.h"

#include <algorithm>

#include "platform/map/HostServices.h"

namespace platform {

void StatusBar::ShowProgressBar(const std::string& message, std::int32_t min, std::int32_t max,
                                std::int32_t step, bool onePanel) {
    visible_ = true;
    message_ = message;
    min_ = min;
    max_ = max;
    step_ = step;
    onePanel_ = onePanel;
    position_ = min;
    Host().ProgressShown(*this);
}

void StatusBar::StepProgressBar() {
    if (!visible_) return;
    const std::int64_t top = std::max(min_, max_);
    const std::int64_t next = static_cast<std::int64_t>(position_) + step_;
    position_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(next, min_, top));
    Host().ProgressStepped(*this);
}

void StatusBar::HideProgressBar() {
    if (!visible_) return;
    visible_ = false;
    Host().ProgressHidden(*this);
}

}  // namespace platform
