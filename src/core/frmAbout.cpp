#include "src/core/frmAbout.h"

#include <array>
#include <cstdint>

#include "platform/forms/Shell.h"
#include "platform/forms/MessageBox.h"
#include "platform/os/Os.h"
#include "src/core/ErrorHandling.h"
#include "src/core/Version.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frmAbout";
constexpr long kLinkBlue = 0xFF0000;  // colours are 0xBBGGRR
constexpr long kLinkRed = 0x0000FF;
constexpr int kCustomPointer = 99;

// Arial 8 point: three bold headings, each over a paragraph indented by 360
// twips, with an empty paragraph between the sections.
constexpr const char* kDescription =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
    "\\pard\\f0\\fs16\\b Investigating relevant problems:\\b0\\par "
    "\\pard\\li360 TESSALY learning modules investigate Earth-system topics that touch "
    "students' daily lives, supported by animations and other visualizations.\\par "
    "\\pard\\par "
    "\\pard\\b Interpreting meaningful patterns:\\b0\\par "
    "\\pard\\li360 The activities train observing and measuring.  With GIS, students find "
    "physical and spatial relationships by building maps, tables, charts and layouts of "
    "the data.\\par "
    "\\pard\\par "
    "\\pard\\b Thinking scientifically:\\b0\\par "
    "\\pard\\li360 The modules promote scientific thinking and invite instructors to "
    "encourage independent investigations and new ideas.\\par "
    "}";

}  // namespace

frmAbout::frmAbout() : Form("frmAbout") {
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdSysInfo.Click = [this] { cmdSysInfo_Click(); };
    lblWebSite.Click = [this] { lblWebSite_Click(); };
    picKorLogo.Click = [this] { picKorLogo_Click(); };
    lblZVB2.Click = [this] { lblZVB2_Click(); };
    lblWebSite.MouseMove = [this](int, int, float, float) { lblWebSite_MouseMove(); };
    lblZVB2.MouseMove = [this](int, int, float, float) { lblZVB2_MouseMove(); };
}

void frmAbout::Design() {
    SetCaption("About");
    SetClientSize(6735, 4470);
    imgTessaly.SetPicture("tessalylogo");
    imgTessaly.Move(120, 120, 1440, 1440);
    lblZVB1.SetCaption("TESSALY");
    // The texts under the description keep their distance to the bottom edge
    // as the window grows, so they stand below it, where growing moves them away.
    lblZVB1.Move(1740, 2760, 3000, 375);
    lblVersion.SetCaption("Version:");
    lblVersion.Move(1740, 3165, 3000, 255);
    rtfAbout.Move(1740, 120, 4875, 2520);
    lglGIS.SetCaption("ArcGIS Tools by ");
    lglGIS.Move(1740, 3600, 1260, 255);
    lblWebSite.SetCaption("Tessaly GIS Lab");
    lblWebSite.Move(3000, 3600, 1740, 255);
    lblWebSite.SetForeColor(kLinkBlue);
    lblWebSite.SetMousePointer(kCustomPointer);
    picKorLogo.SetPicture("makerlogo");
    picKorLogo.Move(120, 1680, 1440, 720);
    picKorLogo.SetMousePointer(kCustomPointer);
    lblZVB2.SetCaption("Earth System Learning Partnership");
    lblZVB2.Move(1740, 3960, 3000, 255);
    lblZVB2.SetForeColor(kLinkBlue);
    lblZVB2.SetMousePointer(kCustomPointer);
    cmdOK.SetCaption("OK");
    cmdOK.Move(5175, 3360, 1260, 375);
    cmdSysInfo.SetCaption("&System Info...");
    cmdSysInfo.Move(5175, 3840, 1260, 375);
    imgCornerBars.SetPicture("cornerbars");
    imgCornerBars.Move(6495, 4230, 240, 240);
}

void frmAbout::Form_Load() {
    Guarded(Procedure{"Form_Load", kModule}, [&] {
        anchors_ = std::make_unique<AnchorObjectList>();
        for (platform::Control* control : std::array<platform::Control*, 3>{&cmdOK, &cmdSysInfo, &imgCornerBars}) {
            anchors_->Item(*control)->SetAnchors(5, 5);
        }
        for (platform::Control* control : std::array<platform::Control*, 6>{
                 &lblVersion, &lblWebSite, &lblZVB1, &lblZVB2, &lglGIS, &picKorLogo}) {
            anchors_->Item(*control)->SetAnchors(2, 5);
        }
        anchors_->Item(rtfAbout)->SetAnchors(3, 3);
        anchors_->Item(imgTessaly)->SetAnchors(2, 2);
        anchors_->SetForm(this);

        SetCaption(kAboutCaption);
        lblVersion.SetCaption("Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
                              "." + std::to_string(kVersionRevision));
        rtfAbout.SetTextRTF(kDescription);

        lblWebSite.SetMouseIcon("handcursor");
        picKorLogo.SetMouseIcon("handcursor");
        lblZVB2.SetMouseIcon("handcursor");
    });
}

void frmAbout::Form_MouseMove(int, int, float, float) {
    Guarded(Procedure{"Form_MouseMove", kModule}, [&] {
        lblZVB2.SetForeColor(kLinkBlue);
        lblWebSite.SetForeColor(kLinkBlue);
    });
}

void frmAbout::lblWebSite_MouseMove() {
    Guarded(Procedure{"lblWebSite_MouseMove", kModule}, [&] { lblWebSite.SetForeColor(kLinkRed); });
}

void frmAbout::lblZVB2_MouseMove() {
    Guarded(Procedure{"lblZVB2_MouseMove", kModule}, [&] { lblZVB2.SetForeColor(kLinkRed); });
}

// The shell's answer is ignored: a link that cannot be opened shows nothing.
void frmAbout::lblWebSite_Click() {
    Guarded(Procedure{"lblWebSite_Click", kModule}, [] { platform::ShellOpen(kMakerWebSite, ""); });
}

void frmAbout::picKorLogo_Click() {
    Guarded(Procedure{"picKorLogo_Click", kModule}, [] { platform::ShellOpen(kMakerWebSite, ""); });
}

void frmAbout::lblZVB2_Click() {
    Guarded(Procedure{"lblZVB2_Click", kModule}, [] { platform::ShellOpen(kPartnerWebPage, ""); });
}

void frmAbout::cmdOK_Click() {
    Guarded(Procedure{"cmdOK_Click", kModule}, [&] { Unload(); });
}

void frmAbout::cmdSysInfo_Click() {
    Guarded(Procedure{"cmdSysInfo_Click", kModule}, [&] { StartSysInfo(); });
}

void frmAbout::StartSysInfo() {
    try {
        std::string path;
        if (GetKeyValue(platform::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
            if (platform::StartProgram(path)) return;
        } else if (GetKeyValue(platform::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                               path)) {
            const std::string program = path + "/MSINFO32.EXE";
            const std::uint32_t attributes = platform::GetFileAttributes(program);
            const bool isFile = attributes != platform::INVALID_FILE_ATTRIBUTES &&
                                (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) == 0;
            if (isFile && platform::StartProgram(program)) return;
        }
    } catch (...) {
        // Whatever went wrong, the user hears only that it is unavailable.
    }
    platform::MsgBox(kSysInfoUnavailable, platform::vbOKOnly);
}

bool frmAbout::GetKeyValue(platform::HKEY root, const std::string& keyName, const std::string& valueName,
                           std::string& value) {
    value.clear();
    platform::HKEY key = nullptr;
    if (platform::RegOpenKeyEx(root, keyName, platform::KEY_READ, &key) != platform::ERROR_SUCCESS) return false;

    std::array<char, 1024> buffer{};
    std::uint32_t size = buffer.size();
    std::uint32_t type = 0;
    const long result = platform::RegQueryValueEx(key, valueName, &type, buffer.data(), &size);
    platform::RegCloseKey(key);
    if (result != platform::ERROR_SUCCESS || type != platform::REG_SZ) return false;

    std::string text(buffer.data(), size);
    if (!text.empty() && text.back() == '\0') text.pop_back();
    value = text;
    return true;
}

const std::shared_ptr<frmAbout>& TheAboutBox() {
    static const std::shared_ptr<frmAbout> box = std::make_shared<frmAbout>();
    return box;
}

}  // namespace tessaly
