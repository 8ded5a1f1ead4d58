#include "platform/registry/RegistryFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace platform::registryfile {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (!home.empty()) {
        return home;
    }
    std::vector<char> scratch(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, scratch.data(), scratch.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return ".";
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string Location() {
    std::string explicitPath = Environment("TESSALY_REGISTRY");
    if (!explicitPath.empty()) {
        return explicitPath;
    }
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty()) {
        config = HomeFolder() + "/.config";
    }
    return config + "/tessaly/registry.json";
}

std::optional<Document> Load() {
    const std::string location = Location();
    std::ifstream in(location, std::ios::binary);
    if (!in) {
        // Only a file that is not there reads as an empty registry; one that is
        // there but cannot be read must not be mistaken for it and overwritten.
        std::error_code ec;
        if (!std::filesystem::exists(location, ec) && !ec) {
            return Document::object();
        }
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    Document document = Document::parse(text.str(), nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        return std::nullopt;
    }
    return document;
}

bool Save(const Document& document) {
    const std::filesystem::path target = Location();
    std::error_code ec;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ec);
    }
    std::string temporary = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, document.dump(2) + "\n") &&
                         ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace platform::registryfile
