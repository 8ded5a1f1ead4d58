#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ServerTestSupport.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/ICommand.h"
#include "platform/registry/Registry.h"
#include "src/core/CommandTable.h"
#include "src/core/ErrorHandling.h"
#include "src/core/frmAbout.h"

namespace tessaly {
namespace {

constexpr long kBlue = 0xFF0000;
constexpr long kRed = 0x0000FF;

// Shows the About box through its command, as the user's click does, and lets
// `act` play the user while it is open; the box is closed with OK afterwards.
class AboutBoxTest : public ::testing::Test {
protected:
    ~AboutBoxTest() override { ResetErrorHandling(); }

    void WithAboutBox(const std::function<void(frmAbout&)>& act) {
        auto command = servertest::Create<platform::ICommand>(info::cmdAbout);
        ASSERT_EQ(command->OnCreate(std::make_shared<platform::Application>()), platform::S_OK);
        ui_->WhenModal("frmAbout", [&](platform::Form& form) {
            auto& about = dynamic_cast<frmAbout&>(form);
            act(about);
            about.cmdOK.UserClick();
        });
        EXPECT_EQ(command->OnClick(), platform::S_OK);
    }

    void WriteRegistry(const std::string& json) const { std::ofstream(registryFile_) << json; }

    std::vector<std::string> Started() const { return ui_->ProgramsStarted(); }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& box : ui_->MessageBoxes()) texts.push_back(box.text);
        return texts;
    }

    servertest::TempFolder folder_;
    std::filesystem::path registryFile_ = folder_.Path() / "registry.json";
    servertest::ScopedRegistry registry_{registryFile_};
    platform::ScopedHeadlessUi ui_;
};

// The system-information program named by the first key, under a key the user may
// read but not change.
constexpr const char* kProtectedMsinfoPath = R"({"HKEY_LOCAL_MACHINE": {"keys": {"SOFTWARE": {"writable": false,
    "keys": {"Microsoft": {"keys": {"Shared Tools": {"keys": {"MSINFO": {"values": {"PATH": "/usr/bin/sysinfo"}}}}}}}}}}})";

TEST_F(AboutBoxTest, ClickShowsTheWindowModallyWithCaptionAndVersion) {
    std::string caption, version;
    WithAboutBox([&](frmAbout& about) {
        caption = about.Caption();
        version = about.lblVersion.Caption();
    });
    EXPECT_EQ(ui_->ModalShows(), std::vector<std::string>{"frmAbout"});
    EXPECT_EQ(caption, "About TESSALY GIS Tools");
    EXPECT_EQ(version, "Version 1.0.0");
    EXPECT_FALSE(TheAboutBox()->IsLoaded()) << "OK unloads the window";
}

TEST_F(AboutBoxTest, DescriptionIsArialEightPointWithThreeBoldHeadingsOverIndentedParagraphs) {
    std::string rtf;
    WithAboutBox([&](frmAbout& about) { rtf = about.rtfAbout.TextRTF(); });
    EXPECT_NE(rtf.find("Arial"), std::string::npos);
    EXPECT_NE(rtf.find("\\fs16"), std::string::npos);
    for (const char* heading :
         {"Investigating relevant problems:", "Interpreting meaningful patterns:", "Thinking scientifically:"}) {
        EXPECT_NE(rtf.find(std::string("\\b ") + heading + "\\b0\\par"), std::string::npos) << heading;
    }
    int indented = 0;
    for (std::size_t at = rtf.find("\\li360"); at != std::string::npos; at = rtf.find("\\li360", at + 1)) ++indented;
    EXPECT_EQ(indented, 3);
}

TEST_F(AboutBoxTest, EnlargingTheWindowKeepsEveryControlInsideAndClearOfTheOthers) {
    for (const auto& [width, height] : {std::pair{0, 0}, std::pair{2000, 1500}, std::pair{6000, 9000}}) {
        WithAboutBox([&](frmAbout& about) {
            about.SetWidth(about.Width() + width);
            about.SetHeight(about.Height() + height);
            for (platform::Control* a : about.Controls()) {
                EXPECT_TRUE(a->Left() >= 0 && a->Top() >= 0 && a->Left() + a->Width() <= about.ScaleWidth() &&
                            a->Top() + a->Height() <= about.ScaleHeight())
                    << a->Name() << " outside at +" << width << ", +" << height;
                for (platform::Control* b : about.Controls())
                    EXPECT_TRUE(a == b || a->Left() + a->Width() <= b->Left() || a->Top() + a->Height() <= b->Top() ||
                                b->Left() + b->Width() <= a->Left() || b->Top() + b->Height() <= a->Top())
                        << a->Name() << " over " << b->Name() << " at +" << width << ", +" << height;
            }
        });
    }
}

TEST_F(AboutBoxTest, EachShowLoadsTheWindowAfreshWithTheSameTexts) {
    std::string firstRtf, firstVersion, secondRtf, secondVersion;
    WithAboutBox([&](frmAbout& about) {
        firstRtf = about.rtfAbout.TextRTF();
        firstVersion = about.lblVersion.Caption();
        about.rtfAbout.SetTextRTF("typed over");
        about.lblZVB2.UserMouseMove(0, 0, 10, 10);
    });
    WithAboutBox([&](frmAbout& about) {
        secondRtf = about.rtfAbout.TextRTF();
        secondVersion = about.lblVersion.Caption();
        EXPECT_EQ(about.lblZVB2.ForeColor(), kBlue);
    });
    EXPECT_EQ(secondRtf, firstRtf);
    EXPECT_EQ(secondVersion, firstVersion);
}

TEST_F(AboutBoxTest, LinksOpenTheirAddressesThroughTheShell) {
    WithAboutBox([](frmAbout& about) {
        about.lblWebSite.UserClick();
        about.picKorLogo.UserClick();
        about.lblZVB2.UserClick();
    });
    ASSERT_EQ(ui_->ShellOpens().size(), 3u);
    EXPECT_EQ(ui_->ShellOpens()[0].target, kMakerWebSite);
    EXPECT_EQ(ui_->ShellOpens()[1].target, kMakerWebSite);
    EXPECT_EQ(ui_->ShellOpens()[2].target, kPartnerWebPage);
    for (const auto& open : ui_->ShellOpens()) EXPECT_EQ(open.folder, "");
}

TEST_F(AboutBoxTest, ALinkThatCannotOpenShowsNothing) {
    ui_->SetShellOpenSucceeds(false);
    WithAboutBox([](frmAbout& about) { about.lblZVB2.UserClick(); });
    EXPECT_EQ(ui_->ShellOpens().size(), 1u);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(AboutBoxTest, PointerTurnsOnlyTheLinkUnderItRedAndTheFormTurnsBothBlue) {
    WithAboutBox([](frmAbout& about) {
        EXPECT_EQ(about.lblZVB2.ForeColor(), kBlue);
        EXPECT_EQ(about.lblWebSite.ForeColor(), kBlue);
        about.lblZVB2.UserMouseMove(0, 0, 5, 5);
        EXPECT_EQ(about.lblZVB2.ForeColor(), kRed);
        EXPECT_EQ(about.lblWebSite.ForeColor(), kBlue);
        about.UserMouseMove(0, 0, 5, 5);
        EXPECT_EQ(about.lblZVB2.ForeColor(), kBlue);
        about.lblWebSite.UserMouseMove(0, 0, 5, 5);
        EXPECT_EQ(about.lblWebSite.ForeColor(), kRed);
        EXPECT_EQ(about.lblZVB2.ForeColor(), kBlue);
        about.UserMouseMove(0, 0, 5, 5);
        EXPECT_EQ(about.lblWebSite.ForeColor(), kBlue);
    });
}

TEST_F(AboutBoxTest, LinksCarryTheHandCursor) {
    WithAboutBox([](frmAbout& about) {
        EXPECT_EQ(about.lblWebSite.MousePointer(), 99);
        EXPECT_EQ(about.lblWebSite.MouseIcon(), "handcursor");
        EXPECT_EQ(about.picKorLogo.MouseIcon(), "handcursor");
        EXPECT_EQ(about.lblZVB2.MouseIcon(), "handcursor");
    });
}

TEST_F(AboutBoxTest, SystemInfoReadsAKeyTheUserCannotChange) {
    WriteRegistry(kProtectedMsinfoPath);
    // The key refuses changes...
    platform::HKEY key = nullptr;
    EXPECT_EQ(platform::RegOpenKeyEx(platform::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                     platform::KEY_ALL_ACCESS, &key),
              platform::ERROR_ACCESS_DENIED);
    // ...and System Info still finds the program there.
    WithAboutBox([](frmAbout& about) { about.cmdSysInfo.UserClick(); });
    EXPECT_EQ(Started(), std::vector<std::string>{"/usr/bin/sysinfo"});
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AboutBoxTest, SystemInfoFallsBackToTheProgramInTheSharedToolsFolder) {
    const std::filesystem::path tools = folder_.Path() / "tools";
    std::filesystem::create_directory(tools);
    std::ofstream(tools / "MSINFO32.EXE") << "program";
    WriteRegistry(R"({"HKEY_LOCAL_MACHINE": {"keys": {"SOFTWARE": {"keys": {"Microsoft": {"keys":
        {"Shared Tools Location": {"values": {"MSINFO": ")" + tools.string() + R"("}}}}}}}}})");
    WithAboutBox([](frmAbout& about) { about.cmdSysInfo.UserClick(); });
    EXPECT_EQ(Started(), std::vector<std::string>{(tools / "MSINFO32.EXE").string()});
    EXPECT_TRUE(Messages().empty());
}

// The first key's PATH as a registry text of `length` characters.
std::string MsinfoPathOfLength(std::size_t length) {
    const std::string path = "/" + std::string(length - 1, 'p');
    return R"({"HKEY_LOCAL_MACHINE": {"keys": {"SOFTWARE": {"keys": {"Microsoft": {"keys":
        {"Shared Tools": {"keys": {"MSINFO": {"values": {"PATH": ")" + path + R"("}}}}}}}}}}})";
}

TEST_F(AboutBoxTest, APathThatFillsTheValueBufferWithItsEndStillStarts) {
    WriteRegistry(MsinfoPathOfLength(1023));  // 1,023 characters and the closing NUL: 1,024 bytes
    WithAboutBox([](frmAbout& about) { about.cmdSysInfo.UserClick(); });
    ASSERT_EQ(Started().size(), 1u);
    EXPECT_EQ(Started()[0].size(), 1023u);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AboutBoxTest, APathLongerThanTheValueBufferIsUnavailable) {
    WriteRegistry(MsinfoPathOfLength(1024));
    WithAboutBox([](frmAbout& about) { about.cmdSysInfo.UserClick(); });
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{"System Information Is Unavailable At This Time"});
}

TEST_F(AboutBoxTest, AFolderNamedLikeTheProgramIsNoProgram) {
    const std::filesystem::path tools = folder_.Path() / "tools";
    std::filesystem::create_directories(tools / "MSINFO32.EXE");
    WriteRegistry(R"({"HKEY_LOCAL_MACHINE": {"keys": {"SOFTWARE": {"keys": {"Microsoft": {"keys":
        {"Shared Tools Location": {"values": {"MSINFO": ")" + tools.string() + R"("}}}}}}}}})");
    WithAboutBox([](frmAbout& about) { about.cmdSysInfo.UserClick(); });
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(Messages(), std::vector<std::string>{"System Information Is Unavailable At This Time"});
}

// Each case leaves System Info without a program: the user is told so, and nothing starts.
struct Unavailable {
    const char* name;
    std::string registry;
    bool programStarts = true;
};
// Named by its case alone: printing the bytes would read the padding.
void PrintTo(const Unavailable& unavailable, std::ostream* out) { *out << unavailable.name; }

class SystemInfoUnavailable : public AboutBoxTest, public ::testing::WithParamInterface<Unavailable> {};

TEST_P(SystemInfoUnavailable, SaysSoInAPlainBox) {
    WriteRegistry(GetParam().registry);
    ui_->SetProgramStartSucceeds(GetParam().programStarts);
    WithAboutBox([](frmAbout& about) { about.cmdSysInfo.UserClick(); });
    ASSERT_EQ(Messages(), std::vector<std::string>{"System Information Is Unavailable At This Time"});
    EXPECT_EQ(ui_->MessageBoxes()[0].style, 0);
    EXPECT_EQ(ui_->MessageBoxes()[0].title, platform::kDefaultMessageBoxTitle);
    if (GetParam().programStarts) {
        EXPECT_TRUE(Started().empty());
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

INSTANTIATE_TEST_SUITE_P(
    AboutBox, SystemInfoUnavailable,
    ::testing::Values(
        Unavailable{"NoRegistryAtAll", "{}"},
        Unavailable{"FolderWithoutTheProgram", R"({"HKEY_LOCAL_MACHINE": {"keys": {"SOFTWARE": {"keys":
            {"Microsoft": {"keys": {"Shared Tools Location": {"values": {"MSINFO": "/nonexistent/tools"}}}}}}}}})"},
        Unavailable{"PathIsANumber", R"({"HKEY_LOCAL_MACHINE": {"keys": {"SOFTWARE": {"keys": {"Microsoft": {"keys":
            {"Shared Tools": {"keys": {"MSINFO": {"values": {"PATH": 7}}}}}}}}}}})"},
        Unavailable{"ProgramDoesNotStart", kProtectedMsinfoPath, false},
        Unavailable{"UnreadableRegistryFile", "not a registry"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutBoxTest, AFailingClickShowsThePlainClickBoxAndNoReport) {
    auto command = servertest::Create<platform::ICommand>(info::cmdAbout);
    ASSERT_EQ(command->OnCreate(std::make_shared<platform::Application>()), platform::S_OK);
    ui_->WhenModal("frmAbout", [](platform::Form& form) {
        form.Unload();
        throw platform::ComError(-2147467259, "Tessaly.Test", "Window went away");
    });
    EXPECT_EQ(command->OnClick(), platform::S_OK);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "ICommand_OnClick cmdAbout \r\n-2147467259\r\nTessaly.Test\r\nWindow went away");
    EXPECT_EQ(ui_->MessageBoxes()[0].style, 0);
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

}  // namespace
}  // namespace tessaly
