#include "platform/registry/WholeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>

namespace platform::wholefile {

namespace {

constexpr std::string_view kNameLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kSuffixLength = 6;

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// ".NAME." followed by six name letters: the temporary files of NAME.
bool IsTemporaryOf(std::string_view entry, const std::string& prefix) {
    if (entry.size() != prefix.size() + kSuffixLength || !entry.starts_with(prefix)) return false;
    return entry.substr(prefix.size()).find_first_not_of(kNameLetters) == std::string_view::npos;
}

void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryOf(entry->d_name, prefix)) continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
            continue;
        // Only this user's: another user's save may still be running.
        if (info.st_uid != ::geteuid() || now - info.st_mtime < kStaleTemporarySeconds) continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// A new file of a fresh temporary name, created with mode 0666 so that the
// kernel applies the umask, as it does for any new file; -1 when none can be made.
int CreateTemporary(const std::filesystem::path& folder, const std::string& prefix, std::string& name) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, kNameLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix;
        for (std::size_t i = 0; i < kSuffixLength; ++i) suffix += kNameLetters[letter(random)];
        name = (folder / (prefix + suffix)).string();
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool Replace(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = fs::canonical(path, error);
    if (error) target = path;
    struct stat original {};
    const bool existed = ::stat(target.c_str(), &original) == 0;
    // The rename would replace a read-only file in a writable folder.
    if (existed && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string prefix = "." + target.filename().string() + ".";
    RemoveStaleTemporaries(folder, prefix);
    std::string temporary;
    const int fd = CreateTemporary(folder, prefix, temporary);
    if (fd < 0) return false;
    bool written = true;
    if (existed) {
        // Owner and group first: a change of owner clears the set-id bits that
        // the mode then puts back. Only root may give a file away; a user may
        // still keep its group when a member of it.
        if (::fchown(fd, original.st_uid, original.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), original.st_gid);
        written = ::fchmod(fd, original.st_mode & 07777) == 0;
    }
    bool done = written && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int failure = done ? 0 : errno;
    if (::close(fd) != 0 && done) {
        done = false;
        failure = errno;
    }
    if (done && std::rename(temporary.c_str(), target.c_str()) != 0) {
        done = false;
        failure = errno;
    }
    if (!done) {
        ::unlink(temporary.c_str());
        errno = failure;
        return false;
    }
    return true;
}

}  // namespace platform::wholefile
