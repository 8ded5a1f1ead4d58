#pragma once
#include <cstdint>
#include <memory>

#include "platform/forms/ModelessFrame.h"
#include "src/core/frmReportWindow.h"

namespace tessaly {

// The modeless report window, shown beside the map inside a host frame.
// Its owner creates it (not loaded), sets txtReport's text (which loads
// it) and shows it through Frame; Exit only hides the frame, keeping the
// text. The owner unloads it when it is done with it.
class frmReport : public ReportWindow {
public:
    frmReport();

    // The host frame, made on the first call with the caption "Report"
    // (loading the form); later calls return the same frame. None when it
    // could not be made (the error is reported).
    std::shared_ptr<platform::ModelessFrame> Frame();

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void cmdOK_Click() override;

private:
    std::shared_ptr<platform::ModelessFrame> frame_;
    // Distances from the window's bottom (H) or right (W) edge, taken at load.
    std::int32_t backgroundHeightMargin_ = 0;
    std::int32_t backgroundWidthMargin_ = 0;
    std::int32_t reportHeightMargin_ = 0;
    std::int32_t reportWidthMargin_ = 0;
    std::int32_t okTopMargin_ = 0;
    std::int32_t copyTopMargin_ = 0;
    std::int32_t printTopMargin_ = 0;
    std::int32_t cornerTopMargin_ = 0;
    std::int32_t cornerLeftMargin_ = 0;
};

}  // namespace tessaly
