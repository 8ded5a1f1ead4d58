#include "app/MapRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "platform/map/Graphics.h"
#include "platform/map/Map.h"

namespace desktop {

namespace {

QPolygonF OnScreen(const std::vector<platform::Point2D>& part, const MapTransform& transform) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(part.size()));
    for (const auto& point : part) polygon << transform.ToScreen(point.x, point.y);
    return polygon;
}

void DrawShape(QPainter& painter, int dimension, const std::vector<std::vector<platform::Point2D>>& parts,
               const MapTransform& transform, double pointRadius) {
    if (dimension == 0) {
        for (const auto& part : parts)
            for (const auto& point : part)
                painter.drawEllipse(transform.ToScreen(point.x, point.y), pointRadius, pointRadius);
    } else if (dimension == 1) {
        for (const auto& part : parts) painter.drawPolyline(OnScreen(part, transform));
    } else {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);  // inner rings are holes
        for (const auto& part : parts) path.addPolygon(OnScreen(part, transform));
        painter.drawPath(path);
    }
}

// A point symbol, drawn once and then stamped at every point: a million
// ellipses cost a million small copies instead.
struct Symbol {
    QImage image;
    int half = 0;  // the centre pixel's offset from the corner
};

Symbol MakeSymbol(const QPen& pen, const QColor& fill, double radius) {
    Symbol symbol;
    symbol.half = static_cast<int>(std::ceil(radius + pen.widthF())) + 1;
    symbol.image = QImage(2 * symbol.half + 1, 2 * symbol.half + 1, QImage::Format_ARGB32_Premultiplied);
    symbol.image.fill(Qt::transparent);
    QPainter painter(&symbol.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.setBrush(fill);
    painter.drawEllipse(QPointF(symbol.half + 0.5, symbol.half + 0.5), radius, radius);
    return symbol;
}

// Each channel of a premultiplied colour times alpha / 255.
QRgb Scaled(QRgb colour, unsigned alpha) {
    unsigned redBlue = (colour & 0xff00ffu) * alpha;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    unsigned alphaGreen = ((colour >> 8) & 0xff00ffu) * alpha;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return alphaGreen | redBlue;
}

// The symbol laid over the picture with its centre at (x, y).
void Stamp(uchar* bits, qsizetype bytesPerLine, QSize size, const Symbol& symbol, double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    const int extent = symbol.image.width();
    if (x < -extent || y < -extent || x > size.width() + extent || y > size.height() + extent) return;
    const int left = static_cast<int>(std::floor(x)) - symbol.half;
    const int top = static_cast<int>(std::floor(y)) - symbol.half;
    for (int row = std::max(0, -top); row < extent && top + row < size.height(); ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(symbol.image.constScanLine(row));
        auto* to = reinterpret_cast<QRgb*>(bits + (top + row) * bytesPerLine);
        for (int column = std::max(0, -left); column < extent && left + column < size.width(); ++column) {
            const QRgb over = from[column];
            const unsigned alpha = qAlpha(over);
            if (alpha == 0) continue;
            QRgb& under = to[left + column];
            under = alpha == 255 ? over : over + Scaled(under, 255 - alpha);
        }
    }
}

bool DrawLayer(QPainter& painter, QImage& image, const SceneLayer& layer, const ScreenMapping& mapping,
               const std::atomic<bool>& cancelled) {
    const LayerShapes& shapes = *layer.shapes;
    const LayerStyle& style = layer.style;
    const QPen outline(style.stroke, style.dimension == 1 ? 2.0 : 1.0);
    const QPen highlight(SelectionColor(), style.dimension == 1 ? 3.0 : 2.0);
    const Symbol point = MakeSymbol(outline, style.fill, 4.0);
    const Symbol selectedPoint = MakeSymbol(highlight, SelectionColor(), 5.0);
    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    const auto& selected = *layer.selected;
    for (std::size_t i = 0; i < shapes.Count(); ++i) {
        if (i % 4096 == 0 && cancelled.load(std::memory_order_relaxed)) return false;
        const bool isSelected = !selected.empty() && std::binary_search(selected.begin(), selected.end(), shapes.ids[i]);
        const int dimension = shapes.dimensions[i];
        for (std::uint32_t part = shapes.partStart[i]; part < shapes.partStart[i + 1]; ++part) {
            const platform::Point2D* first = shapes.points.data() + shapes.pointStart[part];
            const platform::Point2D* end = shapes.points.data() + shapes.pointStart[part + 1];
            if (dimension == 0) {
                for (const platform::Point2D* p = first; p != end; ++p)
                    Stamp(bits, bytesPerLine, image.size(), isSelected ? selectedPoint : point, mapping.ScreenX(p->x),
                          mapping.ScreenY(p->y));
                continue;
            }
            if (dimension != 1) continue;
            QPolygonF polygon;
            polygon.reserve(end - first);
            for (const platform::Point2D* p = first; p != end; ++p)
                polygon << QPointF(mapping.ScreenX(p->x), mapping.ScreenY(p->y));
            painter.setPen(isSelected ? highlight : outline);
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(polygon);
        }
        if (dimension == 2) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);  // inner rings are holes
            for (std::uint32_t part = shapes.partStart[i]; part < shapes.partStart[i + 1]; ++part) {
                QPolygonF ring;
                for (std::uint32_t p = shapes.pointStart[part]; p < shapes.pointStart[part + 1]; ++p)
                    ring << QPointF(mapping.ScreenX(shapes.points[p].x), mapping.ScreenY(shapes.points[p].y));
                path.addPolygon(ring);
            }
            painter.setPen(isSelected ? highlight : outline);
            painter.setBrush(style.fill);
            painter.drawPath(path);
        }
    }
    return true;
}

}  // namespace

QImage DrawScene(const MapScene& scene, const std::atomic<bool>& cancelled) {
    if (scene.pixels.isEmpty()) return {};
    QImage image(scene.pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const SceneLayer& layer : scene.layers)
        if (!DrawLayer(painter, image, layer, scene.mapping, cancelled)) return {};
    return image;
}

void DrawGraphics(QPainter& painter, platform::Map& map, const MapTransform& transform) {
    painter.setRenderHint(QPainter::Antialiasing);
    const auto graphics = map.GraphicsLayer();
    const platform::SpatialReference reference = map.SpatialReference();
    for (std::int32_t i = 0; i < graphics->ElementCount(); ++i) {
        const auto& element = graphics->Element(i);
        const platform::Geometry shape = element->Geometry().Project(reference);
        if (shape.IsEmpty()) continue;
        painter.setPen(QPen(QColor(40, 40, 40), 1.5));
        painter.setBrush(QColor(255, 255, 255, 70));
        DrawShape(painter, shape.Dimension(), shape.Parts(), transform, 4.0);
        if (!graphics->IsSelected(*element)) continue;
        // Handles at the corners of the selected element's box.
        const platform::Envelope box = shape.Envelope();
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(SelectionColor());
        for (const auto& [x, y] : {std::pair{box.XMin(), box.YMin()}, std::pair{box.XMin(), box.YMax()},
                                   std::pair{box.XMax(), box.YMin()}, std::pair{box.XMax(), box.YMax()}}) {
            const QPointF corner = transform.ToScreen(x, y);
            painter.drawRect(QRectF(corner.x() - 3, corner.y() - 3, 6, 6));
        }
    }
}

}  // namespace desktop
