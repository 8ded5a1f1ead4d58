#pragma once
// The desktop host's answer to the user with a million points, offscreen:
// how long its UI thread stays away at most, timed by a timer that ticks
// every few milliseconds.
#include "BenchData.h"

namespace bench {

// Opens a map document of the points in the desktop's main window; the
// longest pause of the UI thread from the open until the map is drawn.
double OpenLessonLongestPause(const PointsData& data, double& residentMB);

// With the document open and drawn, Cancel in the Summarize dialog (a click
// that changes nothing on the map); the longest pause of the UI thread from
// the click to a second after it.
double CancelSummarizeLongestPause(const PointsData& data, double& residentMB);

}  // namespace bench
