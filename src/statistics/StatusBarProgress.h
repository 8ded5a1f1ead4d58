#pragma once
#include <cstdint>
#include <string>

namespace platform {
class StatusBar;
}

namespace tessaly {

// The status bar's progress bar for one pass over a field's values, from 1 to
// `max` (held to the bar's range) in steps of one. However the pass ends, the
// bar is hidden again; with Pointer::Hourglass the pointer is the hourglass
// meanwhile and the default after.
class StatusBarProgress {
public:
    enum class Pointer { Untouched, Hourglass };

    StatusBarProgress(platform::StatusBar& bar, const std::string& message, std::int64_t max, Pointer pointer);
    StatusBarProgress(const StatusBarProgress&) = delete;
    StatusBarProgress& operator=(const StatusBarProgress&) = delete;
    ~StatusBarProgress();

    void Step();
    // The normal way out, where a failure to put things back is the pass's own error.
    void Finish();

private:
    void RestoreQuietly() noexcept;

    platform::StatusBar& bar_;
    bool hourglass_;
    bool done_ = false;
};

}  // namespace tessaly
