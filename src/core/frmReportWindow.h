#pragma once
#include "platform/forms/Forms.h"

namespace tessaly {

// What the modeless and the modal report windows share: the controls, the
// design layout, Copy and Print. `module` names the window in error reports.
class ReportWindow : public platform::Form {
public:
    platform::TextBox txtBackground{*this, "txtBackground"};
    platform::TextBox txtReport{*this, "txtReport"};
    platform::CommandButton cmdPrint{*this, "cmdPrint"};
    platform::CommandButton cmdCopy{*this, "cmdCopy"};
    platform::CommandButton cmdOK{*this, "cmdOK"};
    platform::Image imgCornerBars{*this, "imgCornerBars"};

protected:
    ReportWindow(const char* className, const char* module);

    void Design() override;
    // Puts the whole report on the clipboard as plain text.
    void cmdCopy_Click();
    // Prints the report wrapped at 70 characters, in 12 point, then an empty line.
    void cmdPrint_Click();
    virtual void cmdOK_Click() = 0;

    const char* Module() const { return module_; }

private:
    const char* module_;
};

}  // namespace tessaly
