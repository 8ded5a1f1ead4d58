#pragma once
#include <string>

namespace tessaly {

// Whether the commands that add entries may write to `fileName`: true when it
// exists, else the user's answer to "Need to create new QuickLoad.txt file:"
// (only Yes goes on).
bool MayWriteQuickLoadFile(const std::string& fileName);

}  // namespace tessaly
