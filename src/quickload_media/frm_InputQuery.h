#pragma once
#include <string>

#include "platform/forms/Forms.h"

namespace tessaly {

// "Add TESSALY Query String:", where the user names a query and types or
// pastes its text. Shown modally; Cancelled() then tells whether the user
// left by Cancel or the close box, theName is the name typed ("Cancel" when
// cancelled) and theString the query text. The name "Cancel" typed and
// confirmed is a name like any other.
class frm_InputQuery : public platform::Form {
public:
    frm_InputQuery();

    platform::Label lblInstructions{*this, "lblInstructions"};
    platform::TextBox txtName{*this, "txtName"};
    platform::Label Label1{*this, "Label1"};
    platform::TextBox txtQuery{*this, "txtQuery"};
    platform::Label Label2{*this, "Label2"};
    platform::CommandButton OKButton{*this, "OKButton"};
    platform::CommandButton CancelButton{*this, "CancelButton"};

    // None loads the form.
    const std::string& theName() const { return name_; }
    const std::string& theString() const { return text_; }
    bool Cancelled() const { return cancelled_; }

protected:
    void Design() override;
    void Form_Load() override;

private:
    void txtName_Change();
    void txtQuery_Change();
    void EnableOK();
    void OKButton_Click();
    void CancelButton_Click();

    std::string name_ = "Cancel";
    std::string text_;
    bool cancelled_ = true;
};

}  // namespace tessaly
