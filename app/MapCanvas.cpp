#include "app/MapCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "app/MapTransform.h"
#include "platform/data/Geometry.h"
#include "platform/map/Graphics.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"

namespace desktop {

namespace {
constexpr int ClickTolerance = 3;  // pixels: a press and release closer than this is a click

QRect BoxOf(QPoint a, QPoint b) { return QRect(a, b).normalized(); }

bool IsClick(QPoint a, QPoint b) { return (a - b).manhattanLength() <= ClickTolerance; }
}  // namespace

MapCanvas::MapCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setMinimumSize(200, 150);
}

MapCanvas::~MapCanvas() = default;

void MapCanvas::SetDocument(std::shared_ptr<platform::MapDocument> document) {
    document_ = std::move(document);
    polygon_.clear();
    Redraw(true);
}

void MapCanvas::SetTool(MapTool tool) {
    tool_ = tool;
    polygon_.clear();
    dragging_ = false;
    setCursor(tool == MapTool::Pan ? Qt::OpenHandCursor
              : tool == MapTool::SelectElements ? Qt::ArrowCursor
                                                : Qt::CrossCursor);
    update();
}

std::shared_ptr<platform::Map> MapCanvas::FocusMap() const { return document_ ? document_->FocusMap() : nullptr; }

MapTransform MapCanvas::Transform() const {
    const auto map = FocusMap();
    return MapTransform(map ? map->Extent() : platform::Envelope(), QSizeF(size()));
}

platform::Envelope MapCanvas::VisibleBounds() const { return Transform().VisibleBounds(); }

void MapCanvas::SetExtent(const platform::Envelope& extent) {
    if (const auto map = FocusMap(); map && !extent.IsEmpty()) map->Extent(extent);
    update();
}

void MapCanvas::FullExtent() {
    const auto map = FocusMap();
    if (!map) return;
    platform::Envelope full = map->FullExtent();
    if (full.IsEmpty()) return;
    full.Expand(1.05, 1.05, true);
    SetExtent(full);
}

void MapCanvas::ZoomAbout(double factor, QPointF pixel) {
    const MapTransform transform = Transform();
    if (!transform.IsValid() || factor <= 0) return;
    const platform::Envelope visible = transform.VisibleBounds();
    const QPointF at = transform.ToMap(pixel);
    // The point under the pointer stays where it is.
    const double xmin = at.x() - (at.x() - visible.XMin()) / factor;
    const double xmax = at.x() + (visible.XMax() - at.x()) / factor;
    const double ymin = at.y() - (at.y() - visible.YMin()) / factor;
    const double ymax = at.y() + (visible.YMax() - at.y()) / factor;
    SetExtent(platform::Envelope(xmin, ymin, xmax, ymax, visible.SpatialReference()));
}

void MapCanvas::Redraw(bool reread) {
    if (reread) renderer_.Forget();
    update();
}

void MapCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const auto map = FocusMap();
    if (!map) return;
    const MapTransform transform = Transform();
    renderer_.Draw(painter, *map, transform);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    if (dragging_ && tool_ != MapTool::Pan && tool_ != MapTool::ZoomOut) painter.drawRect(BoxOf(pressAt_, pointer_));
    if (!polygon_.empty()) {
        QPolygonF outline;
        for (const QPointF& corner : polygon_) outline << transform.ToScreen(corner.x(), corner.y());
        outline << QPointF(pointer_);
        painter.drawPolyline(outline);
    }
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressAt_ = pointer_ = event->position().toPoint();
    if (tool_ == MapTool::NewPolygon) {
        const QPointF corner = Transform().ToMap(event->position());
        polygon_.push_back(corner);
        update();
        return;
    }
    dragging_ = true;
    if (const auto map = FocusMap()) pressExtent_ = Transform().VisibleBounds();
    if (tool_ == MapTool::Pan) setCursor(Qt::ClosedHandCursor);
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    const MapTransform transform = Transform();
    if (onPointerMoved && transform.IsValid()) {
        const QPointF at = transform.ToMap(event->position());
        onPointerMoved(at.x(), at.y());
    }
    if (dragging_ && tool_ == MapTool::Pan && !pressExtent_.IsEmpty()) {
        const MapTransform atPress(pressExtent_, QSizeF(size()));
        const QPointF from = atPress.ToMap(QPointF(pressAt_));
        const QPointF to = atPress.ToMap(QPointF(pointer_));
        platform::Envelope moved = pressExtent_;
        moved.PutCoords(moved.XMin() - (to.x() - from.x()), moved.YMin() - (to.y() - from.y()),
                        moved.XMax() - (to.x() - from.x()), moved.YMax() - (to.y() - from.y()));
        SetExtent(moved);
        return;
    }
    if (dragging_ || !polygon_.empty()) update();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    pointer_ = event->position().toPoint();
    if (tool_ == MapTool::Pan) {
        setCursor(Qt::OpenHandCursor);
        return;
    }
    BoxFinished(BoxOf(pressAt_, pointer_), event->modifiers() & Qt::ShiftModifier);
    update();
}

void MapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (tool_ != MapTool::NewPolygon || event->button() != Qt::LeftButton) return;
    // The press before the double click added the last corner already.
    if (polygon_.size() >= 3) {
        QStringList corners;
        for (const QPointF& corner : polygon_)
            corners << QStringLiteral("%1 %2").arg(corner.x(), 0, 'g', 17).arg(corner.y(), 0, 'g', 17);
        corners << corners.front();  // the ring closes on its first corner
        polygon_.clear();
        AddElement(platform::Geometry::FromWkt(QStringLiteral("POLYGON((%1))").arg(corners.join(',')).toStdString()));
    }
    polygon_.clear();
    update();
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !polygon_.empty()) {
        polygon_.clear();
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) ZoomAbout(std::pow(1.25, steps), event->position());
}

void MapCanvas::BoxFinished(const QRect& box, bool shift) {
    const bool click = IsClick(box.topLeft(), box.bottomRight());
    switch (tool_) {
    case MapTool::ZoomIn:
        if (click) ZoomAbout(2.0, box.center());
        else SetExtent(Transform().ToMap(QRectF(box)));
        break;
    case MapTool::ZoomOut:
        ZoomAbout(0.5, box.center());
        break;
    case MapTool::SelectElements:
        SelectElements(click ? QRectF(box.center() - QPoint(ClickTolerance, ClickTolerance),
                                      QSizeF(2 * ClickTolerance, 2 * ClickTolerance))
                             : QRectF(box),
                       shift);
        break;
    case MapTool::NewRectangle:
        if (!click) AddElement(platform::Geometry::FromEnvelope(Transform().ToMap(QRectF(box))));
        break;
    default:
        break;
    }
}

void MapCanvas::SelectElements(const QRectF& pixels, bool add) {
    const auto map = FocusMap();
    if (!map) return;
    const auto graphics = map->GraphicsLayer();
    const platform::Geometry area = platform::Geometry::FromEnvelope(Transform().ToMap(pixels));
    if (!add) graphics->UnselectAllElements();
    for (std::int32_t i = 0; i < graphics->ElementCount(); ++i) {
        const auto& element = graphics->Element(i);
        if (element->Geometry().Intersects(area)) graphics->SelectElement(element);
    }
    update();
    if (onGraphicsChanged) onGraphicsChanged();
}

void MapCanvas::AddElement(const platform::Geometry& shape) {
    const auto map = FocusMap();
    if (!map || shape.IsEmpty()) return;
    const auto graphics = map->GraphicsLayer();
    auto element = std::make_shared<platform::Element>(shape);
    graphics->AddElement(element);
    graphics->UnselectAllElements();
    graphics->SelectElement(element);
    update();
    if (onGraphicsChanged) onGraphicsChanged();
}

}  // namespace desktop
