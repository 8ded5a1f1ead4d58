#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/map/HostObject.h"

namespace platform {

class UID;

// A command the host can run: one of its own, or one of a loaded library's.
class CommandItem : public HostObject {
public:
    CommandItem(std::string uid, std::string caption, std::function<void()> action);

    // The command's identifier (a GUID text, or a library command's ProgID).
    const std::string& ID() const { return uid_; }
    const std::string& Caption() const { return caption_; }
    // Runs the command; its errors pass to the caller.
    void Execute();

private:
    std::string uid_;
    std::string caption_;
    std::function<void()> action_;
};

// The commands of the document's command bars. A new set knows the host's own
// statistics, select-by-location and select-by-attributes commands, which the
// installed host services run; the desktop host adds the loaded library's
// commands with Add.
class CommandBars : public HostObject {
public:
    CommandBars();

    // The command whose identifier equals the UID's value (GUID texts compare
    // without regard to letter case), or null. The two flags are accepted and
    // do not change the search.
    std::shared_ptr<CommandItem> Find(const UID& id, bool noRecurse = false, bool noCreate = false) const;
    // Adds a command; one with the same identifier is replaced.
    void Add(std::shared_ptr<CommandItem> item);

    const std::vector<std::shared_ptr<CommandItem>>& Items() const { return items_; }

private:
    std::vector<std::shared_ptr<CommandItem>> items_;
};

}  // namespace platform
