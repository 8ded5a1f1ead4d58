#pragma once

// The statistics routines: magnitude names, report number formatting and
// descriptive statistics.
#include "src/statistics/TessalyFunctionsFormat.h"
#include "src/statistics/TessalyFunctionsNumNames.h"
#include "src/statistics/TessalyFunctionsStats.h"
