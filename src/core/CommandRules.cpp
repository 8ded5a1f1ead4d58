#include "src/core/CommandRules.h"

#include "platform/com/ComError.h"
#include "platform/map/ContentsView.h"
#include "platform/map/EnumLayer.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Graphics.h"
#include "platform/map/ItemSet.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/UID.h"

namespace tessaly {
namespace {

const platform::MapDocument& Require(const std::shared_ptr<platform::MapDocument>& document) {
    if (!document) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    return *document;
}

bool IsDisplayOrSource(const platform::ContentsView& view) {
    return view.Name() == "Display" || view.Name() == "Source";
}

// A set counts when one of its members is a feature layer whose data can be reached.
bool HasValidFeatureLayer(platform::ItemSet& set) {
    set.Reset();
    while (const auto member = set.Next()) {
        const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(member);
        if (layer && layer->Valid()) return true;
    }
    return false;
}

}  // namespace

bool SelectedItemRule(const std::shared_ptr<platform::MapDocument>& document, SelectedItemKinds kinds) {
    const platform::MapDocument& doc = Require(document);
    const auto view = doc.CurrentContentsView();
    return SelectedItemRule(*view, doc.SelectedItem(), kinds);
}

bool SelectedItemRule(const platform::ContentsView& view, const std::shared_ptr<platform::HostObject>& item,
                      SelectedItemKinds kinds) {
    if (!item) return false;
    if (!IsDisplayOrSource(view)) return false;

    if (const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(item)) {
        return !kinds.validity || layer->Valid();
    }
    if (const auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(item)) {
        return !kinds.validity || table->Valid();
    }
    if (const auto set = std::dynamic_pointer_cast<platform::ItemSet>(item)) {
        if (!kinds.sets) return false;
        return !kinds.validity || HasValidFeatureLayer(*set);
    }
    if (std::dynamic_pointer_cast<platform::Map>(item)) return kinds.maps;
    return false;
}

bool SelectedGraphicRule(const std::shared_ptr<platform::MapDocument>& document) {
    const platform::MapDocument& doc = Require(document);
    const auto view = doc.CurrentContentsView();
    const auto focusMap = doc.FocusMap();
    const auto item = view->SelectedItem();

    bool layerTest = true;
    if (!item || !IsDisplayOrSource(*view)) {
        layerTest = false;
    } else if (const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(item)) {
        layerTest = layer->Valid();
    } else if (const auto set = std::dynamic_pointer_cast<platform::ItemSet>(item)) {
        layerTest = HasValidFeatureLayer(*set);
    } else {
        layerTest = false;
    }

    const platform::GraphicsSelection& graphics = *focusMap->GraphicsLayer();
    const bool graphicSelected = graphics.ElementSelectionCount() > 0;
    return layerTest && graphicSelected;
}

bool FocusMapRule(const std::shared_ptr<platform::MapDocument>& document) {
    const platform::UID featureLayers(platform::FeatureLayerTypeUID);

    // Looking at the layers may fail without consequence: what was found stands.
    try {
        const auto layers = Require(document).FocusMap()->Layers(&featureLayers, true);
        layers->Reset();
        while (const auto layer = layers->Next()) {
            if (layer->Valid()) return true;
        }
    } catch (...) {
    }

    const platform::StandaloneTableCollection& tables = *Require(document).FocusMap();
    for (std::int32_t i = 0; i < tables.StandaloneTableCount(); ++i) {
        if (tables.StandaloneTable(i)->Valid()) return true;
    }
    return false;
}

}  // namespace tessaly
