#pragma once
#include <memory>

#include "platform/forms/Forms.h"
#include "platform/forms/ModelessFrame.h"

namespace tessaly {

// "ArcGIS Summarize Help": one picture page about summarizing data, shown
// beside the map in a host frame. Its owner (the summarize dialog) makes it
// and shows it with Frame()->SetVisible(true); once shown it stays open,
// also after the owner lets go of it, until the user closes the frame.
class frmSumHelp : public platform::Form {
public:
    frmSumHelp();

    platform::PictureBox Picture1{*this, "Picture1"};

    // The host frame, made on the first call (loading the window) with the
    // caption "ArcGIS Summarize Help"; later calls return the same frame.
    // None when it could not be made (the error is reported).
    std::shared_ptr<platform::ModelessFrame> Frame();

protected:
    void Design() override;

private:
    std::shared_ptr<platform::ModelessFrame> frame_;
};

// The window's and its frame's caption.
inline constexpr const char* kSumHelpCaption = "ArcGIS Summarize Help";

}  // namespace tessaly
