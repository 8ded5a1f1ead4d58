#pragma once
#include <memory>

namespace platform {
class Application;
}

namespace tessaly {

// Runs one of the host's own commands (a window of its own), found by its
// command UID text in the application's document's command bars. A host that
// has no such command raises error 91; the command's own failures pass on.
void LaunchHostCommand(const std::shared_ptr<platform::Application>& application, const char* commandUid);

}  // namespace tessaly
