#include "app/LayerStyle.h"

#include <QPainter>
#include <QPixmap>
#include <functional>
#include <map>
#include <string>

#include "platform/data/Row.h"
#include "platform/map/FeatureLayer.h"

namespace desktop {

namespace {
int DimensionOf(platform::FeatureLayer& layer) {
    static std::map<std::string, int> known;  // by data source: reading a row costs a file opening
    const std::string key = layer.DataSourcePath() + "|" + layer.DataLayerName();
    if (const auto found = known.find(key); found != known.end()) return found->second;
    int dimension = -1;
    try {
        const auto cursor = layer.Search(nullptr, true);
        for (auto row = cursor->NextRow(); row && dimension < 0; row = cursor->NextRow())
            dimension = row->Shape().Dimension();
    } catch (const std::exception&) {
        dimension = -1;
    }
    return known[key] = dimension;
}
}  // namespace

LayerStyle StyleOf(platform::FeatureLayer& layer) {
    static const QColor points[] = {QColor(178, 34, 34), QColor(106, 61, 154), QColor(200, 90, 20)};
    static const QColor lines[] = {QColor(31, 120, 200), QColor(0, 128, 160), QColor(60, 80, 190)};
    static const QColor areas[] = {QColor(196, 224, 168), QColor(232, 214, 168), QColor(206, 196, 232),
                                   QColor(244, 206, 170)};
    LayerStyle style;
    if (!layer.Valid()) return style;
    style.dimension = DimensionOf(layer);
    // By the dataset's own name, not its path: a copy of the data keeps its colours.
    const std::size_t pick = std::hash<std::string>{}(layer.DataLayerName());
    switch (style.dimension) {
    case 0:
        style.fill = points[pick % std::size(points)];
        style.stroke = style.fill.darker(160);
        break;
    case 1:
        style.stroke = lines[pick % std::size(lines)];
        break;
    default:
        style.fill = areas[pick % std::size(areas)];
        style.stroke = style.fill.darker(135);
        break;
    }
    return style;
}

QColor SelectionColor() { return QColor(0, 255, 255); }

QIcon SwatchIcon(const LayerStyle& style) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (style.dimension) {
    case 0:
        painter.setPen(QPen(style.stroke, 1));
        painter.setBrush(style.fill);
        painter.drawEllipse(QRectF(4, 4, 8, 8));
        break;
    case 1:
        painter.setPen(QPen(style.stroke, 2));
        painter.drawPolyline(QPolygonF({QPointF(1, 12), QPointF(6, 5), QPointF(10, 10), QPointF(15, 3)}));
        break;
    case 2:
        painter.setPen(QPen(style.stroke, 1));
        painter.setBrush(style.fill);
        painter.drawRect(QRectF(2.5, 3.5, 11, 9));
        break;
    default:
        painter.setPen(QPen(Qt::red, 2));
        painter.drawLine(4, 4, 12, 12);
        painter.drawLine(12, 4, 4, 12);
        break;
    }
    return QIcon(pixmap);
}

}  // namespace desktop
