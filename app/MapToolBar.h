#pragma once
#include <QToolBar>

namespace desktop {

class MapCanvas;

// The host's own tools for the map view: pan, zoom in and out, full extent,
// selecting graphic elements and drawing new rectangles and polygons. One
// tool is active at a time.
class MapToolBar : public QToolBar {
public:
    MapToolBar(MapCanvas& canvas, QWidget* parent = nullptr);
};

}  // namespace desktop
