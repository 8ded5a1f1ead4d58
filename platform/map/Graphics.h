#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/data/Geometry.h"
#include "platform/map/HostObject.h"

namespace platform {

// A graphic drawn on a map: a shape in map coordinates. A shape given
// without a spatial reference reads back in its map's, once the element is
// on a map's graphics layer.
class Element : public HostObject {
public:
    explicit Element(platform::Geometry geometry = {}) : geometry_(std::move(geometry)) {}

    platform::Geometry Geometry() const;
    void Geometry(platform::Geometry geometry) { geometry_ = std::move(geometry); }

private:
    friend class GraphicsLayer;
    platform::Geometry geometry_;
    std::function<platform::SpatialReference()> mapReference_;
};

// Elements handed out one by one: a snapshot taken when it was made.
class EnumElement : public HostObject {
public:
    explicit EnumElement(std::vector<std::shared_ptr<Element>> elements) : elements_(std::move(elements)) {}

    void Reset() { next_ = 0; }
    // The next element, or null after the last.
    std::shared_ptr<Element> Next() { return next_ < elements_.size() ? elements_[next_++] : nullptr; }

private:
    std::vector<std::shared_ptr<Element>> elements_;
    std::size_t next_ = 0;
};

// The host's GraphicsSelection view: which elements of a graphics layer are selected.
class GraphicsSelection {
public:
    virtual ~GraphicsSelection() = default;
    virtual std::int32_t ElementSelectionCount() const = 0;
    // The selected elements in the layer's order.
    virtual std::shared_ptr<EnumElement> SelectedElements() const = 0;
    // Selecting an element the layer does not hold raises ComError E_INVALIDARG.
    virtual void SelectElement(const std::shared_ptr<Element>& element) = 0;
    virtual void UnselectElement(const std::shared_ptr<Element>& element) = 0;
    virtual void UnselectAllElements() = 0;
};

// A map's basic graphics layer: its elements in drawing order, each selected or not.
class GraphicsLayer : public HostObject, public GraphicsSelection {
public:
    // `mapReference` gives the spatial reference of the map the layer belongs to.
    explicit GraphicsLayer(std::function<platform::SpatialReference()> mapReference = {})
        : mapReference_(std::move(mapReference)) {}
    ~GraphicsLayer() override;
    GraphicsLayer(const GraphicsLayer&) = delete;
    GraphicsLayer& operator=(const GraphicsLayer&) = delete;

    // An element stands on one graphics layer at a time; adding it here takes
    // it off its former layer's reference. Adding it twice does nothing.
    void AddElement(std::shared_ptr<Element> element);
    // Deleting an element the layer does not hold is no error.
    void DeleteElement(const std::shared_ptr<Element>& element);
    void DeleteAllElements();
    std::int32_t ElementCount() const { return static_cast<std::int32_t>(elements_.size()); }
    // Raises ComError E_INVALIDARG for an index outside 0 to ElementCount - 1.
    const std::shared_ptr<platform::Element>& Element(std::int32_t index) const;
    bool IsSelected(const platform::Element& element) const;

    std::int32_t ElementSelectionCount() const override;
    std::shared_ptr<EnumElement> SelectedElements() const override;
    void SelectElement(const std::shared_ptr<platform::Element>& element) override;
    void UnselectElement(const std::shared_ptr<platform::Element>& element) override;
    void UnselectAllElements() override;

private:
    struct Entry {
        std::shared_ptr<platform::Element> element;
        bool selected = false;
    };
    Entry* Find(const platform::Element& element);

    std::function<platform::SpatialReference()> mapReference_;
    std::vector<Entry> elements_;
};

}  // namespace platform
