#pragma once
#include <cstdint>
#include <string>

// The registry stand-in: the host's registry calls over one JSON file.
//
// The file is found at $TESSALY_REGISTRY, else $XDG_CONFIG_HOME/tessaly/registry.json,
// else ~/.config/tessaly/registry.json; a missing file is an empty registry. Every
// call reads the file afresh, and every change rewrites it whole through a temporary
// file and a rename, so two processes (or a test and the code under test) see each
// other's writes and a reader never sees half a file.
//
// File layout: the top-level object holds the roots by name ("HKEY_CURRENT_USER", ...).
// Each key is an object with optional members
//   "values":   { name: value }   a JSON string is REG_SZ, an unsigned number REG_DWORD;
//                                 the name "" is the key's default value
//   "keys":     { name: key }     its sub-keys
//   "writable": false             the key and everything below it are protected:
//                                 opening with a write right, creating, changing or
//                                 deleting there fails with ERROR_ACCESS_DENIED
// Key and value names compare without regard to letter case and keep the case they
// were created with. Sub-key paths are separated by "\" ("Software\ESRI\ArcGIS");
// empty components (a leading, doubled or trailing "\") are ignored.
namespace platform {

struct RegistryKey;
using HKEY = RegistryKey*;

// The predefined roots. They are always open; closing one does nothing.
extern HKEY const HKEY_CLASSES_ROOT;
extern HKEY const HKEY_CURRENT_USER;
extern HKEY const HKEY_LOCAL_MACHINE;

// Access rights. A handle may query values with KEY_QUERY_VALUE, set and delete
// values with KEY_SET_VALUE, and create sub-keys with KEY_CREATE_SUB_KEY.
inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t KEY_WRITE = 0x20006;
inline constexpr std::uint32_t KEY_ALL_ACCESS = 0x2003F;

// Value types; only these two are stored.
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_DWORD = 4;

// Results.
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;    // no such key or value
inline constexpr long ERROR_ACCESS_DENIED = 5;     // protected key, or a right the handle lacks
inline constexpr long ERROR_INVALID_HANDLE = 6;    // null, closed or never-opened handle
inline constexpr long ERROR_INVALID_PARAMETER = 87;
inline constexpr long ERROR_MORE_DATA = 234;       // the buffer is too small; the size is set
inline constexpr long ERROR_BADDB = 1009;          // the file is unreadable or not a registry
inline constexpr long ERROR_CANTWRITE = 1013;      // the file could not be saved
inline constexpr long ERROR_KEY_DELETED = 1018;    // the open key was deleted meanwhile

// Opens an existing key below `root` (a root or an open key); an empty `subKey`
// opens `root` itself again. *result is set only on success and must be closed.
long RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t samDesired, HKEY* result);

// Reads a value. With data == nullptr only *type and *dataSize are set (a size
// query). REG_SZ sizes are in bytes including the terminating NUL, REG_DWORD is 4.
// When *dataSize is smaller than needed: ERROR_MORE_DATA, *dataSize = the size
// needed, nothing written. `type` may be nullptr; `dataSize` may be nullptr only
// when `data` is too.
long RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t* type, void* data,
                     std::uint32_t* dataSize);

long RegCloseKey(HKEY key);

// Opens a key, creating it and any missing keys on the way. *result must be closed.
long RegCreateKeyEx(HKEY root, const std::string& subKey, std::uint32_t samDesired, HKEY* result);

// Sets a value. REG_SZ: `data` holds `size` bytes of text, ended by the first NUL
// or by `size`. REG_DWORD: `size` must be 4. Other types: ERROR_INVALID_PARAMETER.
long RegSetValueEx(HKEY key, const std::string& valueName, std::uint32_t type, const void* data,
                   std::uint32_t size);

long RegDeleteValue(HKEY key, const std::string& valueName);

// Deletes `subKey` below `root` with all its keys and values; an empty `subKey`
// empties `root` itself (its values and sub-keys go, the key stays).
long RegDeleteTree(HKEY root, const std::string& subKey);

}  // namespace platform
