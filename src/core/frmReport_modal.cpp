#include "src/core/frmReport_modal.h"

#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frmReport_modal";

}  // namespace

frmReport_modal::frmReport_modal() : ReportWindow("frmReport_modal", kModule) {}

void frmReport_modal::Form_Load() {
    Guarded(Procedure{"Form_Load", kModule}, [&] {
        anchors_ = std::make_unique<AnchorObjectList>();
        anchors_->Item(txtBackground)->SetAnchors(3, 3);
        anchors_->Item(txtReport)->SetAnchors(3, 3);
        anchors_->Item(cmdOK)->SetAnchors(0, 5);
        anchors_->Item(cmdCopy)->SetAnchors(0, 5);
        anchors_->Item(cmdPrint)->SetAnchors(0, 5);
        anchors_->Item(imgCornerBars)->SetAnchors(5, 5);
        anchors_->SetForm(this);
    });
}

void frmReport_modal::cmdOK_Click() {
    Guarded(Procedure{"cmdOK_Click", kModule}, [&] { Unload(); });
}

}  // namespace tessaly
