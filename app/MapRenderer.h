#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Geometry.h"
#include "platform/data/Row.h"

class QPainter;

namespace platform {
class FeatureLayer;
class Map;
}  // namespace platform

namespace desktop {

class MapTransform;

// Draws a map: its feature layers from the bottom of the table of contents
// up, selected features highlighted, then its graphic elements, the selected
// ones with handles.
//
// Shapes are read once per layer and kept, already in the map's spatial
// reference, until Forget() (the host calls it when a view is refreshed, since
// data, definition expressions or the map's coordinates may have changed).
class MapRenderer {
public:
    void Draw(QPainter& painter, platform::Map& map, const MapTransform& transform);
    void Forget() { shapes_.clear(); }

private:
    struct Feature {
        platform::ObjectId id;
        int dimension;
        std::vector<std::vector<platform::Point2D>> parts;
    };
    struct LayerShapes {
        std::weak_ptr<platform::FeatureLayer> layer;
        std::string definition;
        std::string reference;
        std::vector<Feature> features;
    };

    const std::vector<Feature>& ShapesOf(const std::shared_ptr<platform::FeatureLayer>& layer,
                                         const platform::SpatialReference& mapReference);
    void DrawLayer(QPainter& painter, const std::shared_ptr<platform::FeatureLayer>& layer,
                   const platform::SpatialReference& mapReference, const MapTransform& transform);
    void DrawGraphics(QPainter& painter, platform::Map& map, const MapTransform& transform);

    std::map<const platform::FeatureLayer*, LayerShapes> shapes_;
};

}  // namespace desktop
