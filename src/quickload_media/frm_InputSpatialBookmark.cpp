#include "src/quickload_media/frm_InputSpatialBookmark.h"

#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frm_InputSpatialBookmark";

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

}  // namespace

frm_InputSpatialBookmark::frm_InputSpatialBookmark() : Form("frm_InputSpatialBookmark") {
    txtName.Change = [this] { txtName_Change(); };
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
}

void frm_InputSpatialBookmark::Design() {
    SetCaption("Create TESSALY Spatial Bookmark:");
    SetClientSize(4800, 1500);
    lblInstructions.SetCaption("Please enter a name for this spatial bookmark:");
    lblInstructions.Move(120, 120, 4560, 255);
    txtName.Move(120, 420, 4560, 315);
    OKButton.SetCaption("OK");
    OKButton.Move(2160, 960, 1200, 375);
    CancelButton.SetCaption("Cancel");
    CancelButton.Move(3480, 960, 1200, 375);
}

void frm_InputSpatialBookmark::Form_Load() {
    Guarded(In("Form_Load"), [&] {
        result_ = "Cancel";
        cancelled_ = true;
        txtName.SetText("");
        OKButton.SetEnabled(false);
    });
}

void frm_InputSpatialBookmark::txtName_Change() {
    Guarded(In("txtName_Change"), [&] { OKButton.SetEnabled(!txtName.Text().empty()); });
}

void frm_InputSpatialBookmark::OKButton_Click() {
    Guarded(In("OKButton_Click"), [&] {
        result_ = txtName.Text();
        cancelled_ = false;
        Hide();
    });
}

void frm_InputSpatialBookmark::CancelButton_Click() {
    Guarded(In("CancelButton_Click"), [&] {
        Hide();
        result_ = "Cancel";
        cancelled_ = true;
    });
}

}  // namespace tessaly
