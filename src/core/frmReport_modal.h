#pragma once
#include <memory>

#include "src/core/AnchorObjectList.h"
#include "src/core/frmReportWindow.h"

namespace tessaly {

// The modal report window. A caller may set txtReport's FontSize, sets
// its Text and perhaps the Caption, and shows it modally; Exit unloads it,
// which ends the show. A kept instance loads again when next touched.
// Its controls follow the window's size by anchoring.
class frmReport_modal : public ReportWindow {
public:
    frmReport_modal();

protected:
    void Form_Load() override;
    void cmdOK_Click() override;

private:
    std::unique_ptr<AnchorObjectList> anchors_;
};

}  // namespace tessaly
