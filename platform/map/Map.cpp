#include "platform/map/Map.h"

#include <algorithm>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/TextCompare.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/HostServices.h"
#include "platform/map/LayerTree.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/UID.h"

namespace platform {

Map::Map(std::string name) : name_(std::move(name)) {}

const std::shared_ptr<platform::Layer>& Map::Layer(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= layers_->size())
        throw ComError(E_INVALIDARG, "Map", "The index is outside the map's layers.");
    return (*layers_)[static_cast<std::size_t>(index)];
}

std::shared_ptr<EnumLayer> Map::Layers(const UID* uid, bool recursive) const {
    auto layers = layertree::Flatten(*layers_, recursive);
    if (uid) {
        if (!EqualsIgnoringCase(uid->Value(), FeatureLayerTypeUID) && !EqualsIgnoringCase(uid->Value(), FeatureLayerInterfaceUID))
            throw ComError(E_INVALIDARG, "Map", "The layer type " + uid->Value() + " is not known.");
        std::erase_if(layers, [](const auto& layer) { return !std::dynamic_pointer_cast<FeatureLayer>(layer); });
    }
    return std::make_shared<EnumLayer>(std::move(layers));
}

void Map::AddLayer(const std::shared_ptr<platform::Layer>& layer) {
    if (!layer) throw ComError(E_POINTER, "Map", "No layer was given.");
    layers_->push_back(layer);
}

void Map::DeleteLayer(const std::shared_ptr<platform::Layer>& layer) {
    if (layer) layertree::Remove(*layers_, *layer);
}

platform::SpatialReference Map::SpatialReference() const { return layertree::FirstSpatialReference(*layers_); }

std::shared_ptr<platform::StandaloneTable> Map::StandaloneTable(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= tables_.size())
        throw ComError(E_INVALIDARG, "Map", "The index is outside the map's standalone tables.");
    return tables_[static_cast<std::size_t>(index)];
}

void Map::AddStandaloneTable(const std::shared_ptr<platform::StandaloneTable>& table) {
    if (!table) throw ComError(E_POINTER, "Map", "No table was given.");
    if (std::find(tables_.begin(), tables_.end(), table) == tables_.end()) tables_.push_back(table);
}

void Map::RemoveStandaloneTable(const std::shared_ptr<platform::StandaloneTable>& table) {
    std::erase(tables_, table);
}

Envelope Map::Extent() const { return ScreenDisplay()->DisplayTransformation()->VisibleBounds(); }

void Map::Extent(const Envelope& extent) { ScreenDisplay()->DisplayTransformation()->VisibleBounds(extent); }

Envelope Map::FullExtent() const { return layertree::Extent(*layers_, SpatialReference()); }

std::function<platform::SpatialReference()> Map::ReferenceSource() const {
    std::weak_ptr<const std::vector<std::shared_ptr<platform::Layer>>> layers = layers_;
    return [layers] {
        auto held = layers.lock();
        return held ? layertree::FirstSpatialReference(*held) : platform::SpatialReference();
    };
}

std::function<Envelope()> Map::ExtentSource() const {
    std::weak_ptr<const std::vector<std::shared_ptr<platform::Layer>>> layers = layers_;
    return [layers] {
        auto held = layers.lock();
        return held ? layertree::Extent(*held, layertree::FirstSpatialReference(*held)) : Envelope();
    };
}

std::shared_ptr<platform::GraphicsLayer> Map::GraphicsLayer() const {
    if (!graphics_) graphics_ = std::make_shared<platform::GraphicsLayer>(ReferenceSource());
    return graphics_;
}

std::shared_ptr<platform::ScreenDisplay> Map::ScreenDisplay() const {
    if (!display_) {
        auto transformation = std::make_shared<platform::DisplayTransformation>(ExtentSource(), ReferenceSource());
        display_ = std::make_shared<platform::ScreenDisplay>(std::move(transformation));
    }
    return display_;
}

void Map::Refresh() { Host().ViewRefreshed(*this); }

void Map::PartialRefresh(std::int32_t phase, const std::shared_ptr<HostObject>& data, const Envelope* area) {
    Host().ViewPartiallyRefreshed(*this, phase, data.get(), area);
}

}  // namespace platform
