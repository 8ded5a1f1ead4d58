#pragma once
#include <string>
#include <vector>

#include "platform/com/Hresult.h"

// The host's side of installing an in-process server: entering it in the
// registry, taking it out again, and listing the classes it entered.
namespace desktop {

// The toolbar library as built beside the running program.
std::string LibraryBesideProgram(const std::string& programFolder);

// Registers `libraryPath` unless `progId` already names a class whose library
// file exists (registered elsewhere by an older build, it is registered again
// here). Raises ComError when registration fails.
void EnsureRegistered(const std::string& progId, const std::string& libraryPath);

// `--register LIB` and `--unregister LIB`: the server's own entry point's answer.
platform::HRESULT RegisterLibrary(const std::string& libraryPath);
platform::HRESULT UnregisterLibrary(const std::string& libraryPath);

// The ProgIDs of every class the registry gives to `libraryPath`, in the order
// they were registered.
std::vector<std::string> RegisteredProgIDs(const std::string& libraryPath);

}  // namespace desktop
