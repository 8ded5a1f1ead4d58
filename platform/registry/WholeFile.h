#pragma once
#include <string>

// Saving a file whole, for every file the platform rewrites (the registry file,
// map documents, layer files). It sits in the registry library because that is
// the lowest platform library that writes files.
namespace platform::wholefile {

// Replaces the file at `path` (through a link, the file it names) by `text`:
// written to a temporary file of a fresh name (mkstemp) in the same folder,
// flushed and synced, given the old file's permissions (a new file gets the
// umask's), then renamed over it, so a reader sees the old or the new file,
// never a part. False, with the old file untouched and no temporary file left,
// when it cannot be written.
bool Replace(const std::string& path, const std::string& text);

}  // namespace platform::wholefile
