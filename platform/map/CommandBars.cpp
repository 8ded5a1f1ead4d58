#include "platform/map/CommandBars.h"

#include "platform/data/TextCompare.h"
#include "platform/map/HostServices.h"
#include "platform/map/UID.h"

namespace platform {

namespace {
std::shared_ptr<CommandItem> HostCommand(const char* uid, const char* caption) {
    std::string id = uid;
    return std::make_shared<CommandItem>(id, caption, [id] { Host().ExecuteHostCommand(id); });
}
}  // namespace

CommandItem::CommandItem(std::string uid, std::string caption, std::function<void()> action)
    : uid_(std::move(uid)), caption_(std::move(caption)), action_(std::move(action)) {}

void CommandItem::Execute() {
    if (action_) action_();
}

CommandBars::CommandBars() {
    items_.push_back(HostCommand(StatisticsCommandUID, "Statistics"));
    items_.push_back(HostCommand(SelectByLocationCommandUID, "Select By Location"));
    items_.push_back(HostCommand(SelectByAttributesCommandUID, "Select By Attributes"));
}

std::shared_ptr<CommandItem> CommandBars::Find(const UID& id, bool, bool) const {
    for (const auto& item : items_)
        if (EqualsIgnoringCase(item->ID(), id.Value())) return item;
    return nullptr;
}

void CommandBars::Add(std::shared_ptr<CommandItem> item) {
    if (!item) return;
    for (auto& existing : items_) {
        if (EqualsIgnoringCase(existing->ID(), item->ID())) {
            existing = std::move(item);
            return;
        }
    }
    items_.push_back(std::move(item));
}

}  // namespace platform
