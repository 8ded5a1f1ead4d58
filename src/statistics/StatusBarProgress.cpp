#include "src/statistics/StatusBarProgress.h"

#include <algorithm>
#include <limits>

#include "platform/forms/Screen.h"
#include "platform/map/StatusBar.h"

namespace tessaly {

StatusBarProgress::StatusBarProgress(platform::StatusBar& bar, const std::string& message, std::int64_t max,
                                     Pointer pointer)
    : bar_(bar), hourglass_(pointer == Pointer::Hourglass) {
    const auto held = std::clamp<std::int64_t>(max, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max());
    if (hourglass_) platform::screen::SetMousePointer(platform::vbHourglass);
    try {
        bar_.ShowProgressBar(message, 1, static_cast<std::int32_t>(held), 1, true);
    } catch (...) {
        RestoreQuietly();
        throw;
    }
}

StatusBarProgress::~StatusBarProgress() {
    if (!done_) RestoreQuietly();
}

void StatusBarProgress::Step() { bar_.StepProgressBar(); }

void StatusBarProgress::Finish() {
    bar_.HideProgressBar();
    if (hourglass_) platform::screen::SetMousePointer(platform::vbDefault);
    done_ = true;
}

void StatusBarProgress::RestoreQuietly() noexcept {
    try {
        bar_.HideProgressBar();
    } catch (...) {
    }
    if (!hourglass_) return;
    try {
        platform::screen::SetMousePointer(platform::vbDefault);
    } catch (...) {
    }
}

}  // namespace tessaly
