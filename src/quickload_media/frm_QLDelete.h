#pragma once
#include <memory>

#include "platform/forms/Forms.h"
#include "src/core/AnchorObjectList.h"

namespace tessaly {

// "Delete References from QuickLoad File:", where the user marks the entries
// to delete. The caller adds one line per entry to lbxReferences, shows the
// form modally and, when ShouldContinue is true, reads the marks.
class frm_QLDelete : public platform::Form {
public:
    frm_QLDelete();

    platform::Label lblInstructions{*this, "lblInstructions"};
    platform::ListBox lbxReferences{*this, "lbxReferences"};
    platform::CommandButton OKButton{*this, "OKButton"};
    platform::CommandButton CancelButton{*this, "CancelButton"};
    platform::Image imgCornerBars{*this, "imgCornerBars"};

    // True only after OK; does not load the form.
    bool ShouldContinue() const { return shouldContinue_; }

protected:
    void Design() override;
    void Form_Load() override;

private:
    void OKButton_Click();
    void CancelButton_Click();

    bool shouldContinue_ = false;
    std::unique_ptr<AnchorObjectList> anchors_;
};

}  // namespace tessaly
