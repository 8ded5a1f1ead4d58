#pragma once
#include <QColor>
#include <QIcon>

namespace platform {
class FeatureLayer;
}

namespace desktop {

// How the host draws a feature layer: one colour scheme per layer, chosen by
// its kind of shapes (points, lines, areas) and its data, so the same data
// look the same in every map and in the table of contents.
struct LayerStyle {
    int dimension = -1;  // 0 points, 1 lines, 2 areas; -1 unknown (no shapes)
    QColor stroke;
    QColor fill;
};

LayerStyle StyleOf(platform::FeatureLayer& layer);

// The highlight of selected features.
QColor SelectionColor();

// A 16 x 16 legend patch of the style.
QIcon SwatchIcon(const LayerStyle& style);

}  // namespace desktop
