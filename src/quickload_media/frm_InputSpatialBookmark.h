#pragma once
#include <string>

#include "platform/forms/Forms.h"

namespace tessaly {

// "Create TESSALY Spatial Bookmark:", where the user names a new bookmark.
// Shown modally; theModalResult is then the name typed, or "Cancel" after
// Cancel or the close box.
class frm_InputSpatialBookmark : public platform::Form {
public:
    frm_InputSpatialBookmark();

    platform::Label lblInstructions{*this, "lblInstructions"};
    platform::TextBox txtName{*this, "txtName"};
    platform::CommandButton OKButton{*this, "OKButton"};
    platform::CommandButton CancelButton{*this, "CancelButton"};

    // Does not load the form.
    const std::string& theModalResult() const { return result_; }

protected:
    void Design() override;
    void Form_Load() override;

private:
    void txtName_Change();
    void OKButton_Click();
    void CancelButton_Click();

    std::string result_ = "Cancel";
};

}  // namespace tessaly
