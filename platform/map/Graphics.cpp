#include "platform/map/Graphics.h"

#include <algorithm>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform {

platform::Geometry Element::Geometry() const {
    if (!mapReference_ || geometry_.IsEmpty() || !geometry_.SpatialReference().IsUnknown()) return geometry_;
    return platform::Geometry(geometry_.impl(), mapReference_());
}

GraphicsLayer::~GraphicsLayer() { DeleteAllElements(); }

void GraphicsLayer::AddElement(std::shared_ptr<platform::Element> element) {
    if (!element) throw ComError(E_POINTER, "GraphicsLayer", "No element was given.");
    if (Find(*element)) return;
    element->mapReference_ = mapReference_;
    elements_.push_back({std::move(element), false});
}

void GraphicsLayer::DeleteElement(const std::shared_ptr<platform::Element>& element) {
    if (!element || !Find(*element)) return;
    element->mapReference_ = nullptr;
    std::erase_if(elements_, [&](const Entry& entry) { return entry.element == element; });
}

void GraphicsLayer::DeleteAllElements() {
    for (auto& entry : elements_) entry.element->mapReference_ = nullptr;
    elements_.clear();
}

const std::shared_ptr<platform::Element>& GraphicsLayer::Element(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= elements_.size())
        throw ComError(E_INVALIDARG, "GraphicsLayer", "The index is outside the graphics layer.");
    return elements_[static_cast<std::size_t>(index)].element;
}

GraphicsLayer::Entry* GraphicsLayer::Find(const platform::Element& element) {
    auto it = std::find_if(elements_.begin(), elements_.end(),
                           [&](const Entry& entry) { return entry.element.get() == &element; });
    return it == elements_.end() ? nullptr : &*it;
}

bool GraphicsLayer::IsSelected(const platform::Element& element) const {
    return std::any_of(elements_.begin(), elements_.end(),
                       [&](const Entry& entry) { return entry.element.get() == &element && entry.selected; });
}

std::int32_t GraphicsLayer::ElementSelectionCount() const {
    return static_cast<std::int32_t>(
        std::count_if(elements_.begin(), elements_.end(), [](const Entry& entry) { return entry.selected; }));
}

std::shared_ptr<EnumElement> GraphicsLayer::SelectedElements() const {
    std::vector<std::shared_ptr<platform::Element>> selected;
    for (const auto& entry : elements_)
        if (entry.selected) selected.push_back(entry.element);
    return std::make_shared<EnumElement>(std::move(selected));
}

void GraphicsLayer::SelectElement(const std::shared_ptr<platform::Element>& element) {
    Entry* entry = element ? Find(*element) : nullptr;
    if (!entry) throw ComError(E_INVALIDARG, "GraphicsLayer", "The element is not on this graphics layer.");
    entry->selected = true;
}

void GraphicsLayer::UnselectElement(const std::shared_ptr<platform::Element>& element) {
    if (Entry* entry = element ? Find(*element) : nullptr) entry->selected = false;
}

void GraphicsLayer::UnselectAllElements() {
    for (auto& entry : elements_) entry.selected = false;
}

}  // namespace platform
