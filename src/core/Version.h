#pragma once

namespace tessaly {
// The library's version as the About box shows it.
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;
}  // namespace tessaly
