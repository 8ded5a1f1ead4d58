#include "app/MapCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <chrono>
#include <cmath>

#include "app/MapTransform.h"
#include "platform/data/Geometry.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Graphics.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"

namespace desktop {

namespace {
constexpr int ClickTolerance = 3;  // pixels: a press and release closer than this is a click

QRect BoxOf(QPoint a, QPoint b) { return QRect(a, b).normalized(); }

bool IsClick(QPoint a, QPoint b) { return (a - b).manhattanLength() <= ClickTolerance; }

// How long one slice of reading shapes may keep the window from its other work.
constexpr auto ReadingSlice = std::chrono::milliseconds(15);

// Feature layers in drawing order: the bottom of the table of contents first.
void DrawingOrder(const std::vector<std::shared_ptr<platform::Layer>>& layers,
                  std::vector<std::shared_ptr<platform::FeatureLayer>>& out) {
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
        if (auto group = std::dynamic_pointer_cast<platform::GroupLayer>(*it)) {
            DrawingOrder(group->Layers(), out);
        } else if (auto feature = std::dynamic_pointer_cast<platform::FeatureLayer>(*it)) {
            if (feature->Valid()) out.push_back(std::move(feature));
        }
    }
}
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

MapCanvas::~MapCanvas() { StopDrawing(); }

void MapCanvas::SetDocument(std::shared_ptr<platform::MapDocument> document) {
    document_ = std::move(document);
    polygon_.clear();
    // Nothing of the document that was open shows in the new one.
    StopDrawing();
    shapes_.clear();
    picture_ = QImage();
    pictureScene_ = MapScene();
    Redraw();
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

void MapCanvas::Redraw() { update(); }

bool MapCanvas::WantedScene(platform::Map& map, const MapTransform& transform, MapScene& scene) {
    scene.mapping = transform.Mapping();
    scene.pixels = size();
    const std::string reference = map.SpatialReference().ToWkt();
    std::vector<std::shared_ptr<platform::FeatureLayer>> layers;
    DrawingOrder(map.TopLayers(), layers);
    std::map<const platform::FeatureLayer*, KeptShapes> kept;
    bool complete = true;
    for (const auto& layer : layers) {
        auto found = shapes_.find(layer.get());
        KeptShapes entry;
        if (found != shapes_.end() && found->second.layer.lock() == layer) entry = std::move(found->second);
        ShapesKey key = KeyOf(*layer, reference);
        if (entry.layer.expired() || !(entry.key == key)) {
            entry = KeptShapes{layer, std::move(key), nullptr, nullptr, nullptr};
            try {
                entry.reading = std::make_unique<ShapesReading>(layer, map.SpatialReference());
            } catch (const std::exception&) {
                entry.shapes = std::make_shared<LayerShapes>();  // unreadable data draw nothing
            }
        }
        if (!entry.shapes) {
            complete = false;
        } else {
            const auto selection = layer->SelectionSet();
            static const platform::ObjectIds none;
            const platform::ObjectIds& ids = selection ? selection->IDs() : none;
            if (!entry.selected || *entry.selected != ids)
                entry.selected = std::make_shared<const platform::ObjectIds>(ids);
            scene.layers.push_back(SceneLayer{entry.shapes, StyleOf(*layer), entry.selected});
        }
        kept.emplace(layer.get(), std::move(entry));
    }
    shapes_ = std::move(kept);
    if (!complete && !slicePending_) {
        slicePending_ = true;
        QTimer::singleShot(0, this, [this] { ReadSlice(); });
    }
    return complete;
}

void MapCanvas::ReadSlice() {
    slicePending_ = false;
    for (auto& [layer, entry] : shapes_) {
        if (!entry.reading) continue;
        if (!entry.reading->ReadFor(ReadingSlice)) {
            slicePending_ = true;
            QTimer::singleShot(0, this, [this] { ReadSlice(); });
            return;
        }
        entry.shapes = entry.reading->Take();
        entry.reading.reset();
        break;
    }
    update();
}

bool MapCanvas::PictureCurrent() {
    const auto map = FocusMap();
    if (!map) return true;
    MapScene scene;
    const bool current = WantedScene(*map, Transform(), scene) && !job_ && scene == pictureScene_;
    if (!current) update();
    return current;
}

void MapCanvas::StartDrawing(MapScene scene) {
    StopDrawing();
    drawingScene_ = scene;
    const unsigned generation = ++generation_;
    job_ = std::make_unique<DrawJob>();
    DrawJob* job = job_.get();
    job->thread = std::thread([this, job, scene = std::move(scene), generation] {
        QImage picture = DrawScene(scene, job->cancelled);
        if (job->cancelled) return;
        // The canvas waits for this thread before it goes, so it is there to take the picture.
        QMetaObject::invokeMethod(
            this, [this, picture = std::move(picture), scene, generation] { PictureDrawn(picture, scene, generation); },
            Qt::QueuedConnection);
    });
}

void MapCanvas::StopDrawing() {
    if (!job_) return;
    job_->cancelled = true;
    job_->thread.join();
    job_.reset();
}

void MapCanvas::PictureDrawn(QImage picture, MapScene scene, unsigned generation) {
    if (generation != generation_) return;
    StopDrawing();
    picture_ = std::move(picture);
    pictureScene_ = std::move(scene);
    update();
}

void MapCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const auto map = FocusMap();
    if (!map) return;
    const MapTransform transform = Transform();
    MapScene wanted;
    if (WantedScene(*map, transform, wanted) && !(wanted == pictureScene_) && !(job_ && wanted == drawingScene_))
        StartDrawing(wanted);

    // The last picture, moved and scaled to where its extent is now.
    if (!picture_.isNull()) {
        const ScreenMapping& was = pictureScene_.mapping;
        const ScreenMapping now = transform.Mapping();
        const QPointF topLeft(now.ScreenX(was.MapX(0)), now.ScreenY(was.MapY(0)));
        const QPointF bottomRight(now.ScreenX(was.MapX(picture_.width())), now.ScreenY(was.MapY(picture_.height())));
        painter.drawImage(QRectF(topLeft, bottomRight), picture_);
    }
    DrawGraphics(painter, *map, transform);

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
