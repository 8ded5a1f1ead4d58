#pragma once
#include <string>

// Numbers in the subsystem's text files, independent of the user's locale.
namespace tessaly {

// Up to 15 significant digits with "." as the decimal separator and no
// grouping: 494800, 0.25, 1.5e+20.
std::string NumberText(double value);

// The number a file's text stands for: blanks around it are ignored, "." is
// the decimal separator and, when the text does not read that way, ",".
// Anything else is the type-mismatch error 13.
double TextToNumber(const std::string& text);

}  // namespace tessaly
