#pragma once
#include <QImage>
#include <QSize>
#include <atomic>
#include <memory>
#include <vector>

#include "app/LayerStyle.h"
#include "app/MapShapes.h"
#include "app/MapTransform.h"
#include "platform/data/SelectionSet.h"

class QPainter;

namespace platform {
class Map;
}

namespace desktop {

// One layer of a map picture: its shapes, how it is drawn and the IDs of its
// selected features (ascending).
struct SceneLayer {
    std::shared_ptr<const LayerShapes> shapes;
    LayerStyle style;
    std::shared_ptr<const platform::ObjectIds> selected;
    bool operator==(const SceneLayer& other) const {
        return shapes == other.shapes && selected == other.selected && style.dimension == other.style.dimension &&
               style.stroke == other.style.stroke && style.fill == other.style.fill;
    }
};

// Everything a picture of the map's features shows, as values that a drawing
// thread may read while the map goes on changing: equal scenes give equal
// pictures.
struct MapScene {
    ScreenMapping mapping;
    QSize pixels;
    std::vector<SceneLayer> layers;  // in drawing order: the bottom of the table of contents first
    bool operator==(const MapScene&) const = default;
};

// Draws the features of the scene, selected ones highlighted, on a white
// picture of the scene's size. Returns an empty picture when `cancelled` was
// set before the end.
QImage DrawScene(const MapScene& scene, const std::atomic<bool>& cancelled);

// Draws the map's graphic elements, the selected ones with handles.
void DrawGraphics(QPainter& painter, platform::Map& map, const MapTransform& transform);

}  // namespace desktop
