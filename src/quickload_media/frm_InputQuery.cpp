#include "src/quickload_media/frm_InputQuery.h"

#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frm_InputQuery";

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

}  // namespace

frm_InputQuery::frm_InputQuery() : Form("frm_InputQuery") {
    txtName.Change = [this] { txtName_Change(); };
    txtQuery.Change = [this] { txtQuery_Change(); };
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
}

void frm_InputQuery::Design() {
    SetCaption("Add TESSALY Query String:");
    SetClientSize(6000, 3900);
    lblInstructions.SetCaption("Please enter a name for this query string:");
    lblInstructions.Move(120, 120, 5760, 255);
    txtName.Move(120, 400, 5760, 315);
    Label1.SetCaption("Please enter the query string:");
    Label1.Move(120, 840, 5760, 255);
    txtQuery.SetMultiLine(true);
    txtQuery.Move(120, 1120, 5760, 1680);
    Label2.SetCaption("(Hint:  Recommend that you copy and paste a query that has been verified!)");
    Label2.Move(120, 2880, 5760, 255);
    OKButton.SetCaption("OK");
    OKButton.Move(3360, 3360, 1200, 375);
    CancelButton.SetCaption("Cancel");
    CancelButton.Move(4680, 3360, 1200, 375);
}

void frm_InputQuery::Form_Load() {
    Guarded(In("Form_Load"), [&] {
        name_ = "Cancel";
        cancelled_ = true;
        txtName.SetText("");
        txtQuery.SetText("");
        OKButton.SetEnabled(false);
    });
}

void frm_InputQuery::EnableOK() { OKButton.SetEnabled(!txtName.Text().empty() && !txtQuery.Text().empty()); }

void frm_InputQuery::txtName_Change() {
    Guarded(In("txtName_Change"), [&] { EnableOK(); });
}

void frm_InputQuery::txtQuery_Change() {
    Guarded(In("txtQuery_Change"), [&] { EnableOK(); });
}

void frm_InputQuery::OKButton_Click() {
    Guarded(In("OKButton_Click"), [&] {
        name_ = txtName.Text();
        text_ = txtQuery.Text();
        cancelled_ = false;
        Hide();
    });
}

void frm_InputQuery::CancelButton_Click() {
    Guarded(In("CancelButton_Click"), [&] {
        Hide();
        name_ = "Cancel";
        cancelled_ = true;
    });
}

}  // namespace tessaly
