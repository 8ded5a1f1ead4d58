#pragma once
#include <cstdint>
#include <string>

#include "src/statistics/TessalyFunctionsNumNames.h"

namespace tessaly {

// A number for the statistics report, with `decimals` decimal places and
// digits grouped by ",". Zero and magnitudes from 0.001 to 999999 are written
// plainly ("123.46"); others as the number in units of a named power of ten
// ("12.35 million", "-5.00 hundred thousandths"), the name taken from the
// number's own exponent and the value rounded only after scaling. When that
// rounding carries the value up to the next name's unit, the next name is used
// ("1.00 billion", not "1,000.00 million"). Exponents beyond 303 either way are
// written plainly. An error (a name missing from `names`) is reported and
// gives the empty text.
std::string FormatNumberTessaly(double x, const NumNameDictionary& names, std::int16_t decimals);

}  // namespace tessaly
