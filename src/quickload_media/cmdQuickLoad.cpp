#include "src/quickload_media/cmdQuickLoad.h"

#include "platform/com/ComError.h"
#include "platform/data/Envelope.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/CatalogObjects.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "src/core/aml_func_mod.h"
#include "src/quickload_media/DocumentFolder.h"
#include "src/quickload_media/NumberText.h"
#include "src/quickload_media/QuickLoadEntry.h"
#include "src/quickload_media/QuickLoadLists.h"
#include "src/quickload_media/QuickLoadMessages.h"
#include "src/quickload_media/QuickLoadReport.h"
#include "src/quickload_media/tessaly_QuickJumpDialog.h"

namespace tessaly {
namespace {

// The names the set option lists, refilled as that option's handler would.
void Refill(tessaly_QuickJumpDialog& picker, const QuickLoadLists& lists) {
    std::shared_ptr<platform::StringArray> names;
    if (picker.optViews.Value()) {
        names = lists.mapFrames;
    } else if (picker.optExtents.Value()) {
        names = lists.bookmarks;
    } else if (picker.optLayers.Value()) {
        names = lists.layers;
    } else if (picker.optQueries.Value()) {
        names = lists.queries;
    } else {
        return;
    }
    picker.lbxList.Clear();
    for (std::int32_t i = 0; i < names->Count(); ++i) picker.lbxList.AddItem(names->Element(i));
    picker.cmdOK.SetEnabled(false);
}

}  // namespace

void cmdQuickLoad::Created() { picker_ = std::make_shared<tessaly_QuickJumpDialog>(); }

void cmdQuickLoad::Click() {
    if (!m_pMxDoc) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    const auto view = m_pMxDoc->ActiveView();
    const std::string folder = DocumentFolder(m_pApp.get(), info::cmdQuickLoad.module);
    const std::string file = folder + kQuickLoadFileName;
    if (!ExistFileDir(file)) {
        platform::MsgBox(qlmsg::kNoFileText, platform::vbInformation, qlmsg::kNoFileTitle);
        return;
    }
    const QuickLoadLists lists = MakeQuickLoadLists(ReadQuickLoadFile(file), *m_pMxDoc);

    if (!picker_) picker_ = std::make_shared<tessaly_QuickJumpDialog>();
    tessaly_QuickJumpDialog& picker = *picker_;
    picker.strMapFrames(lists.mapFrames);
    picker.strBookmarks(lists.bookmarks);
    picker.strQueries(lists.queries);
    picker.strLayers(lists.layers);
    picker.booShouldContinue(false);
    // A loaded picker still lists what the previous click read.
    if (picker.IsLoaded()) Refill(picker, lists);
    picker.Show(platform::vbModal);

    if (!picker.booShouldContinue()) return;
    const std::int32_t i = picker.lbxList.ListIndex();
    if (picker.optViews.Value()) {
        ActivateMap(i);
    } else if (picker.optExtents.Value()) {
        ZoomToBookmark(lists, i, *view);
    } else if (picker.optLayers.Value()) {
        AddLayer(lists, i, folder);
    } else if (picker.optQueries.Value()) {
        ShowQuery(lists, i);
    }
}

void cmdQuickLoad::ActivateMap(std::int32_t i) {
    const auto& maps = m_pMxDoc->Maps();
    const std::shared_ptr<platform::Map> map = maps->Item(i);

    auto contents = m_pMxDoc->CurrentContentsView();
    if (contents->Name() != "Source" && contents->Name() != "Display") {
        contents = m_pMxDoc->ContentsView(0);
        m_pMxDoc->CurrentContentsView(contents);
    }
    for (std::int32_t k = 0; k < maps->Count(); ++k) maps->Item(k)->Expanded(k == i);
    contents->SelectedItem(map);
    m_pMxDoc->UpdateContents();

    if (m_pMxDoc->FocusMap() != map) {
        m_pMxDoc->ActiveView(map);
        map->ScreenDisplay()->DisplayTransformation()->VisibleBounds(map->FullExtent());
        m_pMxDoc->ActiveView()->Refresh();
    }
}

void cmdQuickLoad::ZoomToBookmark(const QuickLoadLists& lists, std::int32_t i, platform::ActiveView& view) {
    const auto coordinates = std::dynamic_pointer_cast<platform::StringArray>(lists.bookmarkCoordinates->Element(i));
    if (!coordinates) throw platform::RuntimeError(platform::vberr::TypeMismatch);
    platform::Envelope extent;
    extent.PutCoords(TextToNumber(coordinates->Element(0)), TextToNumber(coordinates->Element(1)),
                     TextToNumber(coordinates->Element(2)), TextToNumber(coordinates->Element(3)));
    view.ScreenDisplay()->DisplayTransformation()->VisibleBounds(extent);
    view.PartialRefresh(6, nullptr, nullptr);
}

void cmdQuickLoad::AddLayer(const QuickLoadLists& lists, std::int32_t i, const std::string& documentFolder) {
    const std::string full = LayerFilePath(documentFolder, lists.layerPaths->Element(i));
    if (!ExistFileDir(full)) {
        platform::MsgBox(qlmsg::NoLayerFile(full), platform::vbCritical);
        return;
    }
    auto catalogLayer = std::make_shared<platform::CatalogLayer>();
    catalogLayer->Path(full);
    const std::shared_ptr<platform::Layer> layer = catalogLayer->Layer();
    if (!layer->Valid()) {
        platform::MsgBox(qlmsg::InvalidLayer(lists.layers->Element(i)), platform::vbCritical);
        return;
    }
    m_pMxDoc->FocusMap()->AddLayer(layer);
    m_pMxDoc->ActiveView()->PartialRefresh(2, layer, nullptr);
}

void cmdQuickLoad::ShowQuery(const QuickLoadLists& lists, std::int32_t i) {
    const std::string& text = lists.queryTexts->Element(i);
    const std::string& name = lists.queries->Element(i);
    ShowQuickLoadReport("Query = " + name, text);
}

}  // namespace tessaly
