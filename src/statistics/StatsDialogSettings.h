#pragma once
#include <cstdint>
#include <string>

namespace tessaly {

// The choices of the statistics setup dialog that a caller remembers from one
// run to the next, in memory only. They change only when a run passes the
// dialog with OK.
struct StatsDialogSettings {
    std::string excludeText = "-9999";
    bool ignoreValues = false;
    // Remembered, but never handed back to the dialog.
    bool allRecords = true;
    std::int16_t decimalPlaces = 2;
};

}  // namespace tessaly
