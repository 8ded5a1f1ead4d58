#pragma once
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QWidget>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "app/MapRenderer.h"
#include "platform/data/Envelope.h"

namespace platform {
class Map;
class MapDocument;
}  // namespace platform

namespace desktop {

class MapTransform;

enum class MapTool { Pan, ZoomIn, ZoomOut, SelectElements, NewRectangle, NewPolygon };

// The map view: draws the document's focus map at its extent and lets the
// user move about it and draw and select graphic elements.
//   Pan: drag.  Zoom in: click (twice as near) or drag a box.  Zoom out: click.
//   The wheel zooms about the pointer with any tool.
//   Select elements: click or drag a box; Shift adds to the selection.
//   New rectangle: drag.  New polygon: click each corner, double-click the last; Esc drops it.
// A new element is the only selected one afterwards, as the host has it.
//
// The features are drawn into a picture that is kept and shown until the
// extent, the size, the layers, their symbols or the selections drawn
// change: only then is a new one drawn, in a thread of its own, the last
// picture (moved and scaled to the new extent) showing meanwhile. A layer's
// shapes are read once per change of its data, a slice at a time between the
// window's other work. Graphic elements are few and drawn over the picture.
class MapCanvas : public QWidget {
public:
    explicit MapCanvas(QWidget* parent = nullptr);
    ~MapCanvas() override;

    void SetDocument(std::shared_ptr<platform::MapDocument> document);
    void SetTool(MapTool tool);
    MapTool Tool() const { return tool_; }

    void FullExtent();
    // factor > 1 comes nearer, about `pixel`.
    void ZoomAbout(double factor, QPointF pixel);
    // Looks again at what the map shows; draws anew what changed.
    void Redraw();
    // True while the picture shows the map as it is now (nothing being read or drawn).
    bool PictureCurrent();

    // The focus map's rectangle that the view shows.
    platform::Envelope VisibleBounds() const;

    // Called when graphic elements were added or their selection changed.
    std::function<void()> onGraphicsChanged;
    // Called with the map coordinates under the pointer.
    std::function<void(double x, double y)> onPointerMoved;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct DrawJob {
        std::atomic<bool> cancelled{false};
        std::thread thread;
    };
    struct KeptShapes {
        std::weak_ptr<platform::FeatureLayer> layer;
        ShapesKey key;
        std::shared_ptr<const LayerShapes> shapes;          // null while being read
        std::unique_ptr<ShapesReading> reading;
        std::shared_ptr<const platform::ObjectIds> selected;  // as last drawn
    };

    std::shared_ptr<platform::Map> FocusMap() const;
    // The scene the map asks for now; false while shapes are still being read.
    bool WantedScene(platform::Map& map, const MapTransform& transform, MapScene& scene);
    void ReadSlice();
    void StartDrawing(MapScene scene);
    void StopDrawing();
    void PictureDrawn(QImage picture, MapScene scene, unsigned generation);
    MapTransform Transform() const;
    void SetExtent(const platform::Envelope& extent);
    void BoxFinished(const QRect& box, bool shift);
    void SelectElements(const QRectF& pixels, bool add);
    void AddElement(const platform::Geometry& shape);

    std::shared_ptr<platform::MapDocument> document_;
    std::map<const platform::FeatureLayer*, KeptShapes> shapes_;
    bool slicePending_ = false;
    QImage picture_;
    MapScene pictureScene_;
    MapScene drawingScene_;
    std::unique_ptr<DrawJob> job_;
    unsigned generation_ = 0;
    MapTool tool_ = MapTool::Pan;
    bool dragging_ = false;
    QPoint pressAt_;
    QPoint pointer_;
    platform::Envelope pressExtent_;
    std::vector<QPointF> polygon_;  // corners of the polygon being drawn, in map coordinates
};

}  // namespace desktop
