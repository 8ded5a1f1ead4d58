#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/forms/Forms.h"
#include "platform/registry/Registry.h"
#include "src/core/AnchorObjectList.h"

namespace tessaly {

// The About window: title and version, the description, the maker's and the
// partner's links, and a button that starts the system-information program.
// One window serves the whole library (TheAboutBox); each show loads it afresh.
class frmAbout : public platform::Form {
public:
    frmAbout();

    platform::Image imgTessaly{*this, "imgTessaly"};
    platform::Label lblVersion{*this, "lblVersion"};
    platform::RichTextBox rtfAbout{*this, "rtfAbout"};
    platform::Label lglGIS{*this, "lglGIS"};
    platform::Label lblWebSite{*this, "lblWebSite"};
    platform::PictureBox picKorLogo{*this, "picKorLogo"};
    platform::Label lblZVB1{*this, "lblZVB1"};
    platform::Label lblZVB2{*this, "lblZVB2"};
    platform::CommandButton cmdOK{*this, "cmdOK"};
    platform::CommandButton cmdSysInfo{*this, "cmdSysInfo"};
    platform::Image imgCornerBars{*this, "imgCornerBars"};

protected:
    void Design() override;
    void Form_Load() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void lblWebSite_Click();
    void picKorLogo_Click();
    void lblZVB2_Click();
    void lblWebSite_MouseMove();
    void lblZVB2_MouseMove();

    void StartSysInfo();
    // Reads a text value; false, with `value` emptied, when it cannot. Opens the
    // key for reading only, so a key the user may not change still reads.
    bool GetKeyValue(platform::HKEY root, const std::string& keyName, const std::string& valueName,
                     std::string& value);

    std::unique_ptr<AnchorObjectList> anchors_;
};

// The library's one About window, made at the first call.
const std::shared_ptr<frmAbout>& TheAboutBox();

// Texts of the window that callers and tests compare.
inline constexpr const char* kAboutCaption = "About TESSALY GIS Tools";
inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kMakerWebSite = "https://tessaly.org/";
inline constexpr const char* kPartnerWebPage = "https://tessaly.org/modules/";

}  // namespace tessaly
