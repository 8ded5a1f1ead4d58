#pragma once
#include <string>

#include "platform/forms/Forms.h"

namespace tessaly {

// "Create TESSALY Spatial Bookmark:", where the user names a new bookmark.
// Shown modally; Cancelled() then tells whether the user left by Cancel or
// the close box, and theModalResult is the name typed ("Cancel" when
// cancelled). The name "Cancel" typed and confirmed is a name like any other.
class frm_InputSpatialBookmark : public platform::Form {
public:
    frm_InputSpatialBookmark();

    platform::Label lblInstructions{*this, "lblInstructions"};
    platform::TextBox txtName{*this, "txtName"};
    platform::CommandButton OKButton{*this, "OKButton"};
    platform::CommandButton CancelButton{*this, "CancelButton"};

    // Neither loads the form.
    const std::string& theModalResult() const { return result_; }
    bool Cancelled() const { return cancelled_; }

protected:
    void Design() override;
    void Form_Load() override;

private:
    void txtName_Change();
    void OKButton_Click();
    void CancelButton_Click();

    std::string result_ = "Cancel";
    bool cancelled_ = true;
};

}  // namespace tessaly
