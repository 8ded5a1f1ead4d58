#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/SpatialReference.h"
#include "platform/map/ActiveView.h"
#include "platform/map/EnumLayer.h"
#include "platform/map/Graphics.h"
#include "platform/map/HostObject.h"
#include "platform/map/Layer.h"
#include "platform/map/StandaloneTableCollection.h"

namespace platform {

class UID;

// A map (data frame): a tree of layers, standalone tables and a graphics
// layer. It is also its own ActiveView and StandaloneTableCollection.
//
// A map draws in the spatial reference of its first valid layer (depth first)
// that has one; other layers are projected on the fly, and graphics and
// visible bounds are in map coordinates.
class Map : public HostObject,
            public ActiveView,
            public StandaloneTableCollection {
public:
    explicit Map(std::string name = "Layers");
    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    const std::string& Name() const { return name_; }
    void Name(std::string name) { name_ = std::move(name); }
    // The table of contents shows the map's layers.
    bool Expanded() const { return expanded_; }
    void Expanded(bool expanded) { expanded_ = expanded; }

    // Top-level layers only.
    std::int32_t LayerCount() const { return static_cast<std::int32_t>(layers_->size()); }
    // Raises ComError E_INVALIDARG for an index outside 0 to LayerCount - 1.
    const std::shared_ptr<platform::Layer>& Layer(std::int32_t index) const;
    // The layers of one type, in table-of-contents order, each group before
    // its members. uid null: every layer, group layers included. A feature-layer
    // type (FeatureLayerTypeUID or FeatureLayerInterfaceUID): feature layers
    // only. recursive: also the layers inside group layers; else the top level.
    // Another UID raises ComError E_INVALIDARG. A map without layers gives an
    // empty enumeration.
    std::shared_ptr<EnumLayer> Layers(const UID* uid, bool recursive) const;
    // Appends at the bottom of the table of contents; a layer may be added
    // more than once.
    void AddLayer(const std::shared_ptr<platform::Layer>& layer);
    // Takes the layer out wherever it stands in this map, also inside group
    // layers. A map that does not hold the layer is left as it is.
    void DeleteLayer(const std::shared_ptr<platform::Layer>& layer);
    const std::vector<std::shared_ptr<platform::Layer>>& TopLayers() const { return *layers_; }

    // The map's basic graphics layer; its elements read in the map's spatial reference.
    std::shared_ptr<platform::GraphicsLayer> GraphicsLayer() const;
    platform::SpatialReference SpatialReference() const;

    // StandaloneTableCollection
    std::int32_t StandaloneTableCount() const override { return static_cast<std::int32_t>(tables_.size()); }
    std::shared_ptr<platform::StandaloneTable> StandaloneTable(std::int32_t index) const override;
    void AddStandaloneTable(const std::shared_ptr<platform::StandaloneTable>& table) override;
    void RemoveStandaloneTable(const std::shared_ptr<platform::StandaloneTable>& table) override;

    // ActiveView
    Envelope Extent() const override;
    void Extent(const Envelope& extent) override;
    Envelope FullExtent() const override;
    std::shared_ptr<platform::ScreenDisplay> ScreenDisplay() const override;
    void Refresh() override;
    void PartialRefresh(std::int32_t phase, const std::shared_ptr<HostObject>& data, const Envelope* area) override;

private:
    // The map's spatial reference and full extent, asked afresh each time;
    // unknown and empty once the map is gone.
    std::function<platform::SpatialReference()> ReferenceSource() const;
    std::function<Envelope()> ExtentSource() const;

    std::string name_;
    bool expanded_ = true;
    // Shared with the map's display and graphics, which outlive it safely.
    std::shared_ptr<std::vector<std::shared_ptr<platform::Layer>>> layers_ =
        std::make_shared<std::vector<std::shared_ptr<platform::Layer>>>();
    std::vector<std::shared_ptr<platform::StandaloneTable>> tables_;
    mutable std::shared_ptr<platform::GraphicsLayer> graphics_;
    mutable std::shared_ptr<platform::ScreenDisplay> display_;
};

}  // namespace platform
