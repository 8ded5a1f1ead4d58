#pragma once
#include <string>

namespace platform {
class Application;
}

namespace tessaly {

// The full path of the application's current map document: the last entry of its
// templates. A failure (no application, no templates) is reported as "GetPath" of
// `module` and gives "". The one routine behind every class's GetPath.
std::string GetPath(const platform::Application* application, const char* module);

}  // namespace tessaly
