#include "src/core/cmdDeleteSelLayers.h"

#include <string>

#include "platform/forms/MessageBox.h"
#include "platform/map/ContentsView.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/ItemSet.h"
#include "platform/map/Map.h"
#include "platform/map/Maps.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableWindow.h"
#include "platform/map/VariantArray.h"
#include "src/core/ContentsSelection.h"
#include "src/core/ObjectRequired.h"

namespace tessaly {

namespace {

constexpr const char* kConfirmTitle = "Confirm Deletion:";

// The objects to delete, in the order listed, and the confirmation text naming them.
struct DeletionList {
    platform::VariantArray objects;
    std::string text =
        "Please click 'OK' to confirm that you wish to delete the following objects:\r\n"
        "------------------------------------------------------- \r\n";

    void Add(const std::shared_ptr<platform::HostObject>& object, const std::string& line) {
        text += "  --> " + line + "\r\n";
        objects.Add(object);
    }
};

// Closes the open table window of a layer or table that is about to be deleted.
void CloseTableWindow(const std::shared_ptr<platform::HostObject>& layerOrTable) {
    const auto finder = std::make_shared<platform::TableWindow>();
    std::shared_ptr<platform::TableWindow> open;
    if (const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(layerOrTable))
        open = finder->FindViaLayer(layer, false);
    else if (const auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(layerOrTable))
        open = finder->FindViaStandaloneTable(table);
    if (open) open->Close();
}

// A feature layer or standalone table is listed, with its window closed; a map
// is listed with `mapSuffix`. False for any other kind: not listed.
bool List(DeletionList& list, const std::shared_ptr<platform::HostObject>& item, const char* mapSuffix) {
    if (const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(item)) {
        list.Add(item, layer->Name());
        CloseTableWindow(item);
    } else if (const auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(item)) {
        list.Add(item, table->Name());
        CloseTableWindow(item);
    } else if (const auto map = std::dynamic_pointer_cast<platform::Map>(item)) {
        list.Add(item, map->Name() + mapSuffix);
    } else {
        return false;
    }
    return true;
}

void DeleteMap(platform::MapDocument& document, platform::ContentsView& view,
               const std::shared_ptr<platform::Map>& map) {
    platform::Maps& maps = ObjectRequired(document.Maps());
    const bool wasFocus = document.FocusMap() == map;
    if (maps.Count() <= 1) {
        const auto replacement = maps.Create();
        replacement->Name("Layers");
        maps.Add(replacement);
    }
    view.RemoveFromSelectedItems(map);
    maps.Remove(map);
    if (wasFocus) document.ActiveView(maps.Item(0));
}

// From every map that holds it, once per map.
void DeleteTable(platform::MapDocument& document, platform::ContentsView& view,
                 const std::shared_ptr<platform::StandaloneTable>& table) {
    const platform::Maps& maps = ObjectRequired(document.Maps());
    const std::int32_t count = maps.Count();
    for (std::int32_t i = 0; i < count; ++i) {
        platform::StandaloneTableCollection& tables = ObjectRequired(maps.Item(i));
        for (std::int32_t t = 0; t < tables.StandaloneTableCount(); ++t) {
            if (tables.StandaloneTable(t) != table) continue;
            view.RemoveFromSelectedItems(table);
            tables.RemoveStandaloneTable(table);
            break;
        }
    }
}

// Every map is asked; one that does not hold the layer leaves it alone.
void DeleteLayer(platform::MapDocument& document, platform::ContentsView& view,
                 const std::shared_ptr<platform::FeatureLayer>& layer) {
    const platform::Maps& maps = ObjectRequired(document.Maps());
    const std::int32_t count = maps.Count();
    for (std::int32_t i = 0; i < count; ++i) {
        view.RemoveFromSelectedItems(layer);
        ObjectRequired(maps.Item(i)).DeleteLayer(layer);
    }
}

}  // namespace

// Windows are closed while listing, before the user is asked: Cancel leaves them
// closed. A failure part way leaves what was deleted deleted, and no refresh.
void cmdDeleteSelLayers::Click() {
    platform::MapDocument& document = ObjectRequired(m_pMxDoc);
    const auto view = document.CurrentContentsView();
    const auto item =
        ClickedItem(ObjectRequired(view), kMapItem | kStandaloneTableItem | kFeatureLayerItem | kItemSetItem);
    if (!item) return;

    DeletionList list;
    if (const auto set = std::dynamic_pointer_cast<platform::ItemSet>(item)) {
        if (set->Count() == 0) return;
        set->Reset();
        while (const auto member = set->Next()) List(list, member, " [Map Frame]");
    } else {
        List(list, item, "");
    }

    if (platform::MsgBox(list.text, platform::vbOKCancel, kConfirmTitle) != platform::vbOK) return;

    for (std::int32_t i = 0; i < list.objects.Count(); ++i) {
        const auto& object = list.objects.Element(i);
        if (const auto map = std::dynamic_pointer_cast<platform::Map>(object))
            DeleteMap(document, *view, map);
        else if (const auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(object))
            DeleteTable(document, *view, table);
        else if (const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(object))
            DeleteLayer(document, *view, layer);
    }

    document.UpdateContents();
    ObjectRequired(document.ActiveView()).PartialRefresh(6, nullptr, nullptr);
}

}  // namespace tessaly
