#pragma once
#include <optional>
#include <string>

namespace platform {
class Application;
}

namespace tessaly {

// Lets the user point to one text file in the host's catalog dialog, opened at
// `startingLocation` over the application's window. The picked file's full
// name, or none when the user does not confirm.
std::optional<std::string> PickTextFile(const platform::Application& application,
                                        const std::string& startingLocation, const std::string& title);

}  // namespace tessaly
