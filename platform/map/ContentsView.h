#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/map/HostObject.h"

namespace platform {

// One tab of the table of contents ("Display", "Source", "Selection") with
// its own selection of items.
class ContentsView : public HostObject {
public:
    explicit ContentsView(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }

    // Null when nothing is selected, the item itself when one is, and a new
    // ItemSet of the items in selection order when several are.
    std::shared_ptr<HostObject> SelectedItem() const;
    // Replaces the selection: null clears it, an ItemSet selects its members,
    // anything else selects that one item.
    void SelectedItem(const std::shared_ptr<HostObject>& item);
    // Adds an item to the selection (once; a second add does nothing).
    void AddToSelectedItems(const std::shared_ptr<HostObject>& item);
    // Takes an item off the selection; an item not selected is no error.
    void RemoveFromSelectedItems(const std::shared_ptr<HostObject>& item);

    const std::vector<std::shared_ptr<HostObject>>& SelectedItems() const { return selected_; }

private:
    std::string name_;
    std::vector<std::shared_ptr<HostObject>> selected_;
};

}  // namespace platform
