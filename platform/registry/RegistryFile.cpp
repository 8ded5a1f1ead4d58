#include "platform/registry/RegistryFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "platform/registry/WholeFile.h"

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

std::filesystem::path Folder() {
    const std::filesystem::path target = Location();
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// The process's side of Hold: the mutex, how deep the current thread holds it,
// and the locked folder's descriptor while it does.
struct HoldState {
    std::recursive_mutex mutex;
    int depth = 0;
    int folder = -1;
};

HoldState& State() {
    static HoldState state;
    return state;
}

std::optional<std::string> ReadBytes(const std::string& location) {
    std::ifstream in(location, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

Hold::Hold(bool forChange) {
    HoldState& state = State();
    state.mutex.lock();
    if (state.depth++ > 0) {
        return;
    }
    if (forChange) {
        std::error_code ec;
        std::filesystem::create_directories(Folder(), ec);
    }
    state.folder = ::open(Folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (state.folder >= 0) {
        while (::flock(state.folder, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
}

Hold::~Hold() {
    HoldState& state = State();
    if (--state.depth == 0 && state.folder >= 0) {
        ::close(state.folder);  // drops the lock
        state.folder = -1;
    }
    state.mutex.unlock();
}

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
    const std::optional<std::string> text = ReadBytes(location);
    if (!text) {
        // Only a file that is not there reads as an empty registry; one that is
        // there but cannot be read must not be mistaken for it and overwritten.
        std::error_code ec;
        if (!std::filesystem::exists(location, ec) && !ec) {
            return Document::object();
        }
        return std::nullopt;
    }
    bool tooDeep = false;
    Document document = Document::parse(
        *text,
        [&tooDeep](int depth, nlohmann::json::parse_event_t, Document&) {
            tooDeep = tooDeep || depth > MaxDepth;
            return true;
        },
        false);
    if (tooDeep || document.is_discarded() || !document.is_object()) {
        return std::nullopt;
    }
    return document;
}

bool Save(const Document& document) {
    std::string text;
    try {
        text = document.dump(2) + "\n";
    } catch (const nlohmann::json::exception&) {
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(Folder(), ec);
    return wholefile::Replace(Location(), text);
}

Snapshot Take() {
    const std::string location = Location();
    std::error_code ec;
    const bool existed = std::filesystem::exists(std::filesystem::symlink_status(location, ec));
    return {existed, ReadBytes(location)};
}

bool Restore(const Snapshot& snapshot) {
    if (ReadBytes(Location()) == snapshot.bytes) {
        return true;
    }
    if (snapshot.bytes) {
        return wholefile::Replace(Location(), *snapshot.bytes);
    }
    if (snapshot.existed) {
        return true;
    }
    std::error_code ec;
    std::filesystem::remove(Location(), ec);
    return !ec;
}

}  // namespace platform::registryfile
