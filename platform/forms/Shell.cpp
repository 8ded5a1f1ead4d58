#include "platform/forms/Shell.h"

#include "platform/forms/UiBackend.h"

namespace platform {

bool ShellOpen(const std::string& target, const std::string& folder) { return Ui().ShellOpen(target, folder); }

bool StartProgram(const std::string& path) { return Ui().StartProgram(path); }

}  // namespace platform
