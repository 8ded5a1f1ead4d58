#include "src/core/cmdSelByGraphic.h"

#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Graphics.h"
#include "platform/map/ItemSet.h"
#include "platform/map/Map.h"
#include "src/core/ContentsSelection.h"
#include "src/core/ObjectRequired.h"
#include "src/core/SelectionSwitch.h"

namespace tessaly {

namespace {

// Clears the layer's selection (announced once, here), then adds what each
// element finds, from the enumeration's current position on.
void ApplyGraphics(platform::FeatureLayer& layer, platform::EnumElement& elements, platform::SpatialFilter& filter) {
    platform::FeatureSelection& selection = layer;
    selection.Clear();
    selection.SelectionChanged();
    while (const auto element = elements.Next()) {
        filter.Geometry(element->Geometry());
        selection.SelectFeatures(&filter, platform::selectionresult::Add, false);
    }
}

}  // namespace

// Validity is not asked: every feature layer of a set is processed.
void cmdSelByGraphic::Click() {
    platform::MapDocument& document = ObjectRequired(m_pMxDoc);
    const auto focusMap = document.FocusMap();
    const auto view = document.ActiveView();
    const auto item = ClickedItem(ObjectRequired(document.CurrentContentsView()), kFeatureLayerItem | kItemSetItem);
    if (!item) return;

    const platform::GraphicsSelection& graphics = ObjectRequired(ObjectRequired(focusMap).GraphicsLayer());
    const auto elements = graphics.SelectedElements();
    platform::SpatialFilter filter;
    filter.GeometryField("Shape");
    filter.SpatialRel(platform::spatialrel::Intersects);

    RefreshSelection(ObjectRequired(view));
    if (const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(item)) {
        ApplyGraphics(*layer, ObjectRequired(elements), filter);
    } else {
        auto& set = static_cast<platform::ItemSet&>(*item);
        if (set.Count() == 0) return;
        set.Reset();
        while (const auto member = set.Next()) {
            const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(member);
            if (!layer) continue;
            ObjectRequired(elements).Reset();
            ApplyGraphics(*layer, *elements, filter);
        }
    }
    RefreshSelection(ObjectRequired(document.ActiveView()));
}

}  // namespace tessaly
