#include "platform/forms/ListControl.h"

#include "platform/forms/FormsError.h"

#include <utility>

namespace platform {

void ListControl::ResetState() {
    items_.clear();
    ++linesRevision_;
    listIndex_ = -1;
}

void ListControl::AddItem(const std::string& text) {
    Touch();
    items_.push_back(text);
    Changed();
}

void ListControl::AddItems(std::vector<std::string>&& texts) {
    Touch();
    if (items_.empty()) {
        items_ = std::move(texts);
    } else {
        items_.reserve(items_.size() + texts.size());
        for (std::string& text : texts) items_.push_back(std::move(text));
    }
    texts.clear();
    Changed();
}

void ListControl::Clear() {
    Touch();
    items_.clear();
    ++linesRevision_;
    listIndex_ = -1;
    OnCleared();
    Changed();
}

int ListControl::ListCount() {
    Touch();
    return static_cast<int>(items_.size());
}

std::string ListControl::List(int index) {
    Touch();
    if (index < -1) throw FormError(formerr::InvalidPropertyArrayIndex);
    if (index == -1 || index >= static_cast<int>(items_.size())) return "";
    return items_[static_cast<std::size_t>(index)];
}

int ListControl::ListIndex() {
    Touch();
    return listIndex_;
}

void ListControl::SetListIndex(int index) {
    Touch();
    if (index < -1 || index >= static_cast<int>(items_.size())) throw FormError(formerr::InvalidPropertyValue);
    listIndex_ = index;
    OnIndexSet(index);
    Changed();
    if (index >= 0) Raise(Click);
}

}  // namespace platform
