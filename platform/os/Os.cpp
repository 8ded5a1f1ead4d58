#include "platform/os/Os.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// The host's buffer rule: the text and its NUL fit, or nothing is written and the
// length needed (NUL included) comes back.
std::uint32_t CopyOut(const std::string& text, char* buffer, std::uint32_t bufferLength) {
    const auto needed = static_cast<std::uint32_t>(text.size() + 1);
    if (buffer == nullptr || bufferLength < needed) {
        return needed;
    }
    std::memcpy(buffer, text.c_str(), needed);
    return needed - 1;
}

std::string LoginName() {
    std::vector<char> scratch(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, scratch.data(), scratch.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr && *found->pw_name != '\0') {
        return found->pw_name;
    }
    // Containers often run under a uid with no passwd entry.
    for (const char* variable : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

}  // namespace

std::uint32_t GetTempPath(std::uint32_t bufferLength, char* buffer) {
    const char* tmpdir = std::getenv("TMPDIR");
    std::string folder = (tmpdir != nullptr && *tmpdir != '\0') ? tmpdir : "/tmp";
    if (folder.back() != '/') {
        folder += '/';
    }
    return CopyOut(folder, buffer, bufferLength);
}

int GetUserName(char* buffer, std::uint32_t* size) {
    if (size == nullptr) {
        return 0;
    }
    const std::string name = LoginName();
    if (name.empty()) {
        return 0;
    }
    const auto needed = static_cast<std::uint32_t>(name.size() + 1);
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return 0;
    }
    std::memcpy(buffer, name.c_str(), needed);
    *size = needed;
    return 1;
}

std::uint32_t GetLongPathName(const std::string& path, char* buffer, std::uint32_t bufferLength) {
    if (path.empty()) {
        return 0;
    }
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return 0;
    }
    const std::string text(resolved);
    std::free(resolved);
    return CopyOut(text, buffer, bufferLength);
}

std::uint32_t GetFileAttributes(const std::string& path) {
    if (path.empty()) {
        return INVALID_FILE_ATTRIBUTES;
    }
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace platform
