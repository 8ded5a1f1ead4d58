#pragma once
#include <cstdint>
#include <string>

namespace platform {

// The host's status bar with its progress bar. The bar tolerates what long
// scans do to it: a maximum below the minimum, more steps than the range
// holds, and a second show without a hide in between. Every change is passed
// to the installed host services (HostServices.h) so a UI can draw it.
class StatusBar {
public:
    // Shows the bar with its message; the position starts at `min`. `step` is
    // added by each StepProgressBar. `onePanel` lets the bar take the whole
    // status bar.
    void ShowProgressBar(const std::string& message, std::int32_t min, std::int32_t max,
                         std::int32_t step, bool onePanel);
    // Advances by the step, never past the maximum (nor below the minimum).
    // A step while the bar is hidden does nothing.
    void StepProgressBar();
    // Hides the bar; hiding a hidden bar does nothing.
    void HideProgressBar();

    bool ProgressBarVisible() const { return visible_; }
    const std::string& ProgressMessage() const { return message_; }
    std::int32_t ProgressMin() const { return min_; }
    std::int32_t ProgressMax() const { return max_; }
    std::int32_t ProgressStep() const { return step_; }
    std::int32_t ProgressPosition() const { return position_; }
    bool ProgressOnePanel() const { return onePanel_; }

private:
    bool visible_ = false;
    std::string message_;
    std::int32_t min_ = 0;
    std::int32_t max_ = 0;
    std::int32_t step_ = 1;
    std::int32_t position_ = 0;
    bool onePanel_ = false;
};

}  // namespace platform
