#pragma once
// Letter-case rules for names (fields, keywords), shared by the data sources.
#include <string>
#include <string_view>

namespace platform {

// ASCII letters compared without regard to case; other bytes exactly.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
std::string ToUpperAscii(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

}  // namespace platform
