#include "src/quickload_media/frm_QLDelete.h"

#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frm_QLDelete";

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

}  // namespace

frm_QLDelete::frm_QLDelete() : Form("frm_QLDelete") {
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
}

void frm_QLDelete::Design() {
    SetCaption("Delete References from QuickLoad File:");
    SetClientSize(5400, 4200);
    lblInstructions.SetCaption("Please select the references to delete from the QuickLoad.txt file:");
    lblInstructions.Move(120, 120, 5160, 255);
    lbxReferences.SetMultiSelect(platform::vbMultiSelectSimple);
    lbxReferences.Move(120, 420, 5160, 3120);
    OKButton.SetCaption("OK");
    OKButton.Move(2640, 3690, 1200, 375);
    CancelButton.SetCaption("Cancel");
    CancelButton.Move(3960, 3690, 1200, 375);
    imgCornerBars.SetPicture("cornerbars");
    imgCornerBars.Move(5160, 3960, 240, 240);
}

void frm_QLDelete::Form_Load() {
    Guarded(In("Form_Load"), [&] {
        anchors_ = std::make_unique<AnchorObjectList>();
        anchors_->Item(lbxReferences)->SetAnchors(3, 3);
        anchors_->Item(OKButton)->SetAnchors(2, 5);
        anchors_->Item(CancelButton)->SetAnchors(2, 5);
        anchors_->Item(imgCornerBars)->SetAnchors(5, 5);
        anchors_->SetForm(this);
        shouldContinue_ = false;
    });
}

void frm_QLDelete::OKButton_Click() {
    Guarded(In("OKButton_Click"), [&] {
        shouldContinue_ = true;
        Hide();
    });
}

void frm_QLDelete::CancelButton_Click() {
    Guarded(In("CancelButton_Click"), [&] {
        shouldContinue_ = false;
        Hide();
    });
}

}  // namespace tessaly
