#pragma once
#include <string>
#include <vector>

#include "platform/data/Variant.h"

// The lines of the query builder's value list: a field's distinct values,
// written as they go into a query and sorted by the field's type.
namespace tessaly {

// By the host's field type code:
//   4 (text)           'value', sorted ignoring letter case; quotes inside are kept as they are
//   0, 1, 6 (integers) the decimal text, sorted as numbers
//   2, 3 (reals)       the general text form, sorted as numbers
//   5 (date)           the user's short date, and the time of day when it is not
//                      midnight, sorted by day
// Another type is error 13; a value that does not convert raises what the
// conversion raises (13, or 6 for an integer out of range).
std::vector<std::string> ValueListLines(int fieldType, const std::vector<platform::Variant>& values);

// A date as the runtime writes one: the user's short date (with the century),
// then a blank and the time of day (with seconds) unless it is midnight exactly.
std::string DateText(double oleDate);

}  // namespace tessaly
