#pragma once
#include <cstdint>
#include <string>

// The operating-system calls the utility routines make, shaped as the host's own so
// that their buffer contracts carry over: text is UTF-8, lengths count bytes.
namespace platform {

// The temporary folder: $TMPDIR (when set and not empty) or "/tmp", always ending
// in "/". Returns the characters written, not counting the NUL. When the text and
// its NUL do not fit `bufferLength`, writes nothing and returns the length needed
// including the NUL (so `buffer` may be nullptr for a size query). 0 on failure.
std::uint32_t GetTempPath(std::uint32_t bufferLength, char* buffer);

// The name of the user running the process. On entry *size is the buffer's length.
// Nonzero on success, with *size = the characters written including the NUL. When
// the name does not fit: 0, nothing written, *size = the length needed. 0 with
// *size unchanged when there is no user name to give.
int GetUserName(char* buffer, std::uint32_t* size);

// The long form of an existing path: here its absolute form with symbolic links,
// "." and ".." resolved. Returns the characters written, not counting the NUL; 0 when
// the path does not exist or is empty ("*" and "?" are plain name characters on
// this system, not wildcards). When the
// result does not fit, writes nothing and returns the length needed including the NUL.
std::uint32_t GetLongPathName(const std::string& path, char* buffer, std::uint32_t bufferLength);

inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;

// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_NORMAL for anything else that
// exists (symbolic links are followed); INVALID_FILE_ATTRIBUTES for no such path or
// the empty text. "*" and "?" are plain name characters.
std::uint32_t GetFileAttributes(const std::string& path);

}  // namespace platform
