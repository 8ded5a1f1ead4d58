#pragma once
#include <string>

namespace platform {

// Opens a document or web address with the program the desktop associates
// with it, `folder` being the working folder ("" for none). True when the
// program could be started.
bool ShellOpen(const std::string& target, const std::string& folder = "");

// Starts a program by its path with a normal window. True when it started.
bool StartProgram(const std::string& path);

}  // namespace platform
