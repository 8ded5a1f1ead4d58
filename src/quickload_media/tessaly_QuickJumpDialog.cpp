#include "src/quickload_media/tessaly_QuickJumpDialog.h"

#include "platform/com/ComError.h"
#include "platform/map/StringArray.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "tessaly_QuickJumpDialog";

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

}  // namespace

tessaly_QuickJumpDialog::tessaly_QuickJumpDialog() : Form("tessaly_QuickJumpDialog") {
    optViews.SetContainer(cpSavedTypes);
    optExtents.SetContainer(cpSavedTypes);
    optLayers.SetContainer(cpSavedTypes);
    optQueries.SetContainer(cpSavedTypes);

    optViews.Click = [this] { optViews_Click(); };
    optExtents.Click = [this] { optExtents_Click(); };
    optLayers.Click = [this] { optLayers_Click(); };
    optQueries.Click = [this] { optQueries_Click(); };
    lbxList.Click = [this] { lbxList_Click(); };
    lbxList.DblClick = [this] { lbxList_DblClick(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void tessaly_QuickJumpDialog::Design() {
    SetCaption("QuickLoad");
    SetClientSize(4680, 4560);
    cpSavedTypes.SetCaption(" QuickLoad Options ");
    cpSavedTypes.Move(120, 60, 4440, 1035);
    optViews.SetCaption("Data Frames");
    optViews.Move(240, 300, 1935, 285);
    optExtents.SetCaption("Spatial Bookmarks");
    optExtents.Move(2280, 300, 2040, 285);
    optLayers.SetCaption("Layers");
    optLayers.Move(240, 645, 1935, 285);
    optQueries.SetCaption("Queries");
    optQueries.Move(2280, 645, 2040, 285);
    lbxList.Move(120, 1215, 4440, 2700);
    cmdOK.SetCaption("OK");
    cmdOK.Move(1020, 4050, 1215, 375);
    cmdCancel.SetCaption("Cancel");
    cmdCancel.Move(2445, 4050, 1215, 375);
    imgCornerBars.SetPicture("cornerbars");
    imgCornerBars.Move(4440, 4320, 240, 240);
}

void tessaly_QuickJumpDialog::Form_Load() {
    Guarded(In("Form_Load"), [&] {
        anchors_ = std::make_unique<AnchorObjectList>();
        anchors_->Item(cpSavedTypes)->SetAnchors(3, 2);
        anchors_->Item(lbxList)->SetAnchors(3, 3);
        anchors_->Item(cmdOK)->SetAnchors(2, 5);
        anchors_->Item(cmdCancel)->SetAnchors(2, 5);
        anchors_->Item(imgCornerBars)->SetAnchors(5, 5);
        anchors_->SetForm(this);

        shouldContinue_ = false;
        if (!optViews.Value() && !optQueries.Value() && !optLayers.Value() && !optExtents.Value())
            optViews.SetValue(true);
    });
}

void tessaly_QuickJumpDialog::ListNames(const std::shared_ptr<const platform::StringArray>& names) {
    if (!names) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    lbxList.Clear();
    for (std::int32_t i = 0; i < names->Count(); ++i) lbxList.AddItem(names->Element(i));
    cmdOK.SetEnabled(false);
}

void tessaly_QuickJumpDialog::optViews_Click() {
    Guarded(In("optViews_Click"), [&] { ListNames(mapFrames_); });
}

void tessaly_QuickJumpDialog::optExtents_Click() {
    Guarded(In("optExtents_Click"), [&] { ListNames(bookmarks_); });
}

void tessaly_QuickJumpDialog::optLayers_Click() {
    Guarded(In("optLayers_Click"), [&] { ListNames(layers_); });
}

void tessaly_QuickJumpDialog::optQueries_Click() {
    Guarded(In("optQueries_Click"), [&] { ListNames(queries_); });
}

void tessaly_QuickJumpDialog::lbxList_Click() {
    Guarded(In("lbxList_Click"), [&] { cmdOK.SetEnabled(true); });
}

void tessaly_QuickJumpDialog::lbxList_DblClick() {
    Guarded(In("lbxList_DblClick"), [&] {
        // A double click below the lines chooses nothing; closing with OK then
        // would hand the caller no position to act on.
        if (lbxList.ListIndex() >= 0) cmdOK_Click();
    });
}

void tessaly_QuickJumpDialog::cmdOK_Click() {
    Guarded(In("cmdOK_Click"), [&] {
        shouldContinue_ = true;
        Hide();
    });
}

void tessaly_QuickJumpDialog::cmdCancel_Click() {
    Guarded(In("cmdCancel_Click"), [&] {
        shouldContinue_ = false;
        Hide();
    });
}

}  // namespace tessaly
