#pragma once
#include <string>

namespace tessaly {

// Shows `text` in a new modal report window in the small type of the QuickLoad
// reports, under `caption`, and returns when the user closes it.
void ShowQuickLoadReport(const std::string& caption, const std::string& text);

}  // namespace tessaly
