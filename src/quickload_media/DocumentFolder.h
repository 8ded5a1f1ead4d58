#pragma once
#include <string>

namespace platform {
class Application;
}

namespace tessaly {

// The folder of the application's map document, in its long (resolved) form and
// ending in "/": the folder QuickLoad.txt and media_list.txt belong to. Failures
// along the way are reported under `module` (GetPath) and by the path routines,
// and leave the text as far as it got.
std::string DocumentFolder(const platform::Application* application, const char* module);

}  // namespace tessaly
