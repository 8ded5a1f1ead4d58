#pragma once
#include <string>
#include <vector>

#include "platform/data/Variant.h"

// The values a statistics run leaves out, as the user types them: numbers
// separated by commas. Numbers are read and written with "." as the decimal
// separator, whatever the user's locale, so that the same text gives the same
// where clause everywhere.
namespace tessaly {

// Whether `text` is a number: blanks, an optional sign, digits with at most one
// ".", an optional exponent ("e" or "E", optional sign, digits), blanks; and
// within the range of a double.
bool IsNumericText(const std::string& text);

// The typed text read as values to ignore: the good parts converted, in order,
// and the parts that are not numbers, in order. A part typed as an integer
// (sign and digits) within the 64-bit range is a LongLong, kept exact; any
// other number a Double.
struct IgnoreValueList {
    std::vector<platform::Variant> values;
    std::vector<std::string> bad;
};

// Without a comma the whole text, untrimmed, is the only part; otherwise the
// text is split at commas (parts trimmed, as ParseString splits). A text made
// only of commas and blanks gives no number at all, so it is one bad part: the
// text as typed.
IgnoreValueList ReadIgnoreValues(const std::string& typed);

// The general text form of a number, as the report and the where clause write
// it: the shortest decimal text up to 15 significant digits, exponent form at
// the extremes ("1E+20"), "." as the decimal separator, no grouping.
std::string GeneralNumberText(double value);

}  // namespace tessaly
