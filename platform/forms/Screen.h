#pragma once

namespace platform::screen {

inline constexpr int vbDefault = 0;
inline constexpr int vbHourglass = 11;

// The pointer shown over every window of the process.
void SetMousePointer(int pointer);
int MousePointer();

}  // namespace platform::screen

namespace platform {
using screen::vbDefault;
using screen::vbHourglass;
}  // namespace platform
