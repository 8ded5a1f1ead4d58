#include "app/MapToolBar.h"

#include <QAction>
#include <QActionGroup>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "app/MapCanvas.h"

namespace desktop {

namespace {
QIcon Painted(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1.4));
    draw(painter);
    return QIcon(pixmap);
}

QIcon Magnifier(bool plus) {
    return Painted([plus](QPainter& p) {
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(QColor(40, 40, 40), 2.5));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
        if (plus) p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    });
}

QIcon PanIcon() {
    return Painted([](QPainter& p) {
        p.drawLine(QPointF(8, 1), QPointF(8, 15));
        p.drawLine(QPointF(1, 8), QPointF(15, 8));
        for (const auto& [a, b, c] : {std::tuple{QPointF(5, 4), QPointF(8, 1), QPointF(11, 4)},
                                      std::tuple{QPointF(5, 12), QPointF(8, 15), QPointF(11, 12)},
                                      std::tuple{QPointF(4, 5), QPointF(1, 8), QPointF(4, 11)},
                                      std::tuple{QPointF(12, 5), QPointF(15, 8), QPointF(12, 11)}})
            p.drawPolyline(QPolygonF({a, b, c}));
    });
}

QIcon GlobeIcon() {
    return Painted([](QPainter& p) {
        p.setBrush(QColor(160, 200, 240));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    });
}

QIcon ArrowIcon() {
    return Painted([](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(3, 1), QPointF(3, 13), QPointF(6, 10), QPointF(9, 15), QPointF(11, 14),
                                 QPointF(8, 9), QPointF(12, 9)}));
    });
}

QIcon RectangleIcon() {
    return Painted([](QPainter& p) {
        p.setBrush(QColor(255, 255, 200));
        p.drawRect(QRectF(2.5, 4.5, 11, 8));
    });
}

QIcon PolygonIcon() {
    return Painted([](QPainter& p) {
        p.setBrush(QColor(255, 255, 200));
        p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(5, 2.5), QPointF(13, 4), QPointF(14, 12), QPointF(7, 14)}));
    });
}
}  // namespace

MapToolBar::MapToolBar(MapCanvas& canvas, QWidget* parent) : QToolBar(tr("Tools"), parent) {
    setObjectName(QStringLiteral("MapTools"));
    setIconSize(QSize(16, 16));
    auto* tools = new QActionGroup(this);
    auto addTool = [&](const QIcon& icon, const QString& text, MapTool tool) {
        QAction* action = addAction(icon, text);
        action->setCheckable(true);
        action->setChecked(canvas.Tool() == tool);
        tools->addAction(action);
        connect(action, &QAction::triggered, &canvas, [&canvas, tool] { canvas.SetTool(tool); });
    };
    addTool(Magnifier(true), tr("Zoom In"), MapTool::ZoomIn);
    addTool(Magnifier(false), tr("Zoom Out"), MapTool::ZoomOut);
    addTool(PanIcon(), tr("Pan"), MapTool::Pan);
    connect(addAction(GlobeIcon(), tr("Full Extent")), &QAction::triggered, &canvas, [&canvas] { canvas.FullExtent(); });
    addSeparator();
    addTool(ArrowIcon(), tr("Select Elements"), MapTool::SelectElements);
    addTool(RectangleIcon(), tr("New Rectangle"), MapTool::NewRectangle);
    addTool(PolygonIcon(), tr("New Polygon"), MapTool::NewPolygon);
}

}  // namespace desktop
