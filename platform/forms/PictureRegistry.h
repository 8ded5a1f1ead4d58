#pragma once
#include <memory>
#include <string>

#include "platform/forms/Picture.h"

namespace platform {

// The pictures that forms name by resource name ("cornerbars"), as a module
// supplies them: the platform's stand-in for a module's picture resources.
// Every UI backend looks names up here first. Process-wide and thread-safe.

// Registers `pixels` under `name`, replacing a picture registered before under
// the same name (holders of the old picture keep it). Names are exact: case
// and blanks count. An empty name or picture is refused (error 5).
void RegisterPicture(const std::string& name, Bitmap pixels);

// The picture registered under `name`, or null.
std::shared_ptr<const StdPicture> FindPicture(const std::string& name);

}  // namespace platform
