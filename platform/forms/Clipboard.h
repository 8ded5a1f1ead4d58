#pragma once
#include <string>

namespace platform::clipboard {

void Clear();
// Puts plain text on the clipboard.
void SetText(const std::string& text);
std::string GetText();

}  // namespace platform::clipboard
