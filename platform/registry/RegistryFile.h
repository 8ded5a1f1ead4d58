#pragma once
#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// The file behind the registry calls: where it is, reading it, saving it whole.
namespace platform::registryfile {

using Document = nlohmann::ordered_json;

// $TESSALY_REGISTRY, else $XDG_CONFIG_HOME/tessaly/registry.json, else
// ~/.config/tessaly/registry.json; looked up afresh on every call.
std::string Location();

// The registry as it is now: an empty object when the file does not exist,
// nothing when it cannot be read or is not a JSON object.
std::optional<Document> Load();

// Replaces the file by `document` (wholefile::Replace), so readers see the old
// or the new file, never a part. Creates missing folders. False, with the old
// file untouched and no temporary file left, when it cannot be written (also
// when a text in it is not valid UTF-8).
bool Save(const Document& document);

// Keys nested deeper than this make a file unreadable: every walk over the
// tree stays far from the stack's end.
inline constexpr int MaxDepth = 512;

// Holds the registry file for one read-modify-write: this process's other
// threads wait on a mutex, other processes on an advisory lock (flock) on the
// file's folder, so no write is lost between a Load and its Save. Holds nest
// within a thread (the inner one does nothing), so several calls can run as
// one change. Where the folder does not exist or cannot be opened there is
// nothing to lock against, and the hold is the mutex alone.
class Hold {
public:
    // A hold for a change creates the file's folder first, so even the first
    // write is locked; a hold for reading creates nothing.
    explicit Hold(bool forChange = false);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
};

// The file as it is now, for putting it back exactly (Restore) after a change
// of several calls failed half way. Take and Restore under one Hold.
struct Snapshot {
    bool existed = false;
    std::optional<std::string> bytes;  // nothing when there is no file or it cannot be read
};
Snapshot Take();
// Puts back the same bytes, or removes a file that was not there; a file that
// could not be read was never changed and stays. False when that fails.
bool Restore(const Snapshot& snapshot);

}  // namespace platform::registryfile
