#pragma once
#include <string>
#include <string_view>

// Saving a file whole, for every file the platform and the toolbar rewrite
// (the registry file, map documents, layer files, QuickLoad.txt). It sits in
// the registry library because that is the lowest platform library that
// writes files.
namespace platform::wholefile {

// Replaces the file at `path` (through a link, the file it names) by `bytes`:
// written to a temporary file of a fresh name (".NAME.XXXXXX") in the same
// folder, flushed and synced, then renamed over it, so a reader sees the old
// or the new file, never a part.
//
// An existing file that this user may not write is refused (errno EACCES),
// although the folder would let the rename replace it. The new file keeps the
// old one's permissions and, where this user may set them, its owner and
// group; a new file gets the permissions the umask gives, and the umask itself
// is never changed (other threads create files meanwhile). Temporary files of
// this same name older than a day (left by a save that was killed) are
// removed first.
//
// False, with errno set, the old file untouched and no temporary file left,
// when it cannot be written.
bool Replace(const std::string& path, std::string_view bytes);

// How old a temporary file must be to count as left behind.
inline constexpr long long kStaleTemporarySeconds = 24 * 60 * 60;

}  // namespace platform::wholefile
