#include "app/MapRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "app/LayerStyle.h"
#include "app/MapTransform.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"

namespace desktop {

namespace {
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

QPolygonF OnScreen(const std::vector<platform::Point2D>& part, const MapTransform& transform) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(part.size()));
    for (const auto& point : part) polygon << transform.ToScreen(point.x, point.y);
    return polygon;
}

QPainterPath AreaPath(const std::vector<std::vector<platform::Point2D>>& parts, const MapTransform& transform) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);  // inner rings are holes
    for (const auto& part : parts) path.addPolygon(OnScreen(part, transform));
    return path;
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
        painter.drawPath(AreaPath(parts, transform));
    }
}
}  // namespace

void MapRenderer::Draw(QPainter& painter, platform::Map& map, const MapTransform& transform) {
    if (!transform.IsValid()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const platform::SpatialReference reference = map.SpatialReference();
    std::vector<std::shared_ptr<platform::FeatureLayer>> layers;
    DrawingOrder(map.TopLayers(), layers);
    for (const auto& layer : layers) DrawLayer(painter, layer, reference, transform);
    DrawGraphics(painter, map, transform);
}

const std::vector<MapRenderer::Feature>& MapRenderer::ShapesOf(const std::shared_ptr<platform::FeatureLayer>& layer,
                                                              const platform::SpatialReference& mapReference) {
    LayerShapes& kept = shapes_[layer.get()];
    const std::string reference = mapReference.ToWkt();
    if (kept.layer.lock() == layer && kept.definition == layer->DefinitionExpression() &&
        kept.reference == reference)
        return kept.features;
    kept = LayerShapes{layer, layer->DefinitionExpression(), reference, {}};
    const auto cursor = layer->Search(nullptr, true);
    for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) {
        if (row->Shape().IsEmpty()) continue;
        const platform::Geometry shape = row->Shape().Project(mapReference);
        kept.features.push_back(Feature{row->OID(), shape.Dimension(), shape.Parts()});
    }
    return kept.features;
}

void MapRenderer::DrawLayer(QPainter& painter, const std::shared_ptr<platform::FeatureLayer>& layer,
                            const platform::SpatialReference& mapReference, const MapTransform& transform) {
    const std::vector<Feature>* features = nullptr;
    try {
        features = &ShapesOf(layer, mapReference);
    } catch (const std::exception&) {
        return;  // data that cannot be read are not drawn; the table window tells why
    }
    const LayerStyle style = StyleOf(*layer);
    const auto selection = layer->SelectionSet();
    const QPen outline(style.stroke, style.dimension == 1 ? 2.0 : 1.0);
    const QPen highlight(SelectionColor(), style.dimension == 1 ? 3.0 : 2.0);
    for (const auto& feature : *features) {
        const bool selected = selection && selection->Contains(feature.id);
        painter.setPen(selected ? highlight : outline);
        if (feature.dimension == 1) {
            painter.setBrush(Qt::NoBrush);
        } else if (feature.dimension == 0) {
            painter.setBrush(selected ? SelectionColor() : style.fill);
        } else {
            painter.setBrush(style.fill);
        }
        DrawShape(painter, feature.dimension, feature.parts, transform, selected ? 5.0 : 4.0);
    }
}

void MapRenderer::DrawGraphics(QPainter& painter, platform::Map& map, const MapTransform& transform) {
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
