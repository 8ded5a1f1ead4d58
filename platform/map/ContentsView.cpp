#include "platform/map/ContentsView.h"

#include <algorithm>

#include "platform/map/ItemSet.h"

namespace platform {

std::shared_ptr<HostObject> ContentsView::SelectedItem() const {
    if (selected_.empty()) return nullptr;
    if (selected_.size() == 1) return selected_.front();
    return std::make_shared<ItemSet>(selected_);
}

void ContentsView::SelectedItem(const std::shared_ptr<HostObject>& item) {
    selected_.clear();
    if (!item) return;
    if (auto set = std::dynamic_pointer_cast<ItemSet>(item)) {
        for (const auto& member : set->Items()) AddToSelectedItems(member);
        return;
    }
    selected_.push_back(item);
}

void ContentsView::AddToSelectedItems(const std::shared_ptr<HostObject>& item) {
    if (!item) return;
    if (std::find(selected_.begin(), selected_.end(), item) == selected_.end()) selected_.push_back(item);
}

void ContentsView::RemoveFromSelectedItems(const std::shared_ptr<HostObject>& item) {
    selected_.erase(std::remove(selected_.begin(), selected_.end(), item), selected_.end());
}

}  // namespace platform
