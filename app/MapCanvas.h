#pragma once
#include <QPoint>
#include <QPointF>
#include <QWidget>
#include <functional>
#include <memory>
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
    // Draws again; with `reread` the layers' shapes are read afresh.
    void Redraw(bool reread);

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
    std::shared_ptr<platform::Map> FocusMap() const;
    MapTransform Transform() const;
    void SetExtent(const platform::Envelope& extent);
    void BoxFinished(const QRect& box, bool shift);
    void SelectElements(const QRectF& pixels, bool add);
    void AddElement(const platform::Geometry& shape);

    std::shared_ptr<platform::MapDocument> document_;
    MapRenderer renderer_;
    MapTool tool_ = MapTool::Pan;
    bool dragging_ = false;
    QPoint pressAt_;
    QPoint pointer_;
    platform::Envelope pressExtent_;
    std::vector<QPointF> polygon_;  // corners of the polygon being drawn, in map coordinates
};

}  // namespace desktop
