#include <gtest/gtest.h>

#include <memory>

#include "SampleForm.h"
#include "platform/com/Hresult.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ErrorReportWindow.h"
#include "platform/forms/FormsError.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/Printer.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Shell.h"

using platform::ComError;

namespace {

TEST(ModalShow, ReturnsWhenTheScriptHidesTheFormAndKeepsItsState) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    ui->WhenModal("frmSample", [](platform::Form& f) {
        auto& sample = dynamic_cast<SampleForm&>(f);
        EXPECT_TRUE(sample.IsShownModally());
        sample.txtName.UserSelect(0, 99);
        sample.txtName.UserType("answer");
        sample.cmdOK.UserClick();
    });
    form->Show(platform::vbModal);
    EXPECT_FALSE(form->IsVisible());
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_EQ(form->txtName.Text(), "answer");
    EXPECT_EQ(ui->ModalShows(), (std::vector<std::string>{"frmSample"}));
}

TEST(ModalShow, ReturnsWhenTheScriptUnloadsTheForm) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->unloadOnOK = true;
    ui->WhenModal("frmSample", [](platform::Form& f) { dynamic_cast<SampleForm&>(f).cmdOK.UserClick(); });
    form->Show(platform::vbModal);
    EXPECT_FALSE(form->IsLoaded());
    form->Show(platform::vbModal);
    EXPECT_EQ(form->loads, 2);
    EXPECT_EQ(form->unloads, 2);
}

TEST(ModalShow, AFormLeftShownFailsLoudlyInsteadOfHanging) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    ui->WhenModal("frmSample", [](platform::Form&) {});
    try {
        form->Show(platform::vbModal);
        FAIL() << "the modal show returned with the form still shown";
    } catch (const ComError& e) {
        EXPECT_EQ(e.Number(), platform::E_UNEXPECTED);
        EXPECT_NE(e.Description().find("frmSample"), std::string::npos);
    }
    EXPECT_FALSE(form->IsVisible());
}

TEST(ModalShow, AFormWithoutAScriptFailsLoudly) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    EXPECT_THROW(form->Show(platform::vbModal), ComError);
    EXPECT_FALSE(form->IsShownModally());
}

TEST(ModalShow, ShowingAModalFormAgainWhileItIsUpIsError400) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    int number = 0;
    ui->WhenModal("frmSample", [&](platform::Form& f) {
        try {
            f.Show(platform::vbModal);
        } catch (const ComError& e) {
            number = e.Number();
        }
        f.Hide();
    });
    form->Show(platform::vbModal);
    EXPECT_EQ(number, platform::formerr::FormAlreadyDisplayed);
}

TEST(MessageBoxes, RecordTextStyleAndShownTitleAndAnswerFromTheQueue) {
    platform::ScopedHeadlessUi ui;
    ui->QueueAnswer(platform::vbNo);
    EXPECT_EQ(platform::MsgBox("Create it?", platform::vbYesNo, "Need a file:"), platform::vbNo);
    EXPECT_EQ(platform::MsgBox("Saved."), platform::vbOK);
    EXPECT_EQ(platform::MsgBox("Go on?", platform::vbYesNo), platform::vbYes);
    EXPECT_EQ(platform::MsgBox("Delete?", platform::vbOKCancel + platform::vbExclamation), platform::vbOK);
    const auto& boxes = ui->MessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "Create it?");
    EXPECT_EQ(boxes[0].style, 4);
    EXPECT_EQ(boxes[0].title, "Need a file:");
    EXPECT_EQ(boxes[1].title, "TessalyOpenTable");
    EXPECT_EQ(boxes[3].style, 49);
    EXPECT_EQ(boxes[3].answer, platform::vbOK);
}

TEST(Clipboard, ClearSetAndGetText) {
    platform::ScopedHeadlessUi ui;
    platform::clipboard::SetText("old");
    platform::clipboard::Clear();
    EXPECT_EQ(platform::clipboard::GetText(), "");
    platform::clipboard::SetText("line 1\r\nline 2");
    EXPECT_EQ(ui->ClipboardText(), "line 1\r\nline 2");
}

TEST(Printer, RecordsFontSizeAndLinesPerDocument) {
    platform::ScopedHeadlessUi ui;
    platform::printer::SetFontSize(12);
    platform::printer::Print("first\r\nsecond");
    platform::printer::PrintEmptyLine();
    platform::printer::EndDoc();
    platform::printer::Print("next");
    platform::printer::EndDoc();
    const auto& docs = ui->PrintedDocuments();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0].fontSize, 12);
    EXPECT_EQ(docs[0].lines, (std::vector<std::string>{"first", "second", ""}));
    EXPECT_EQ(docs[1].lines, (std::vector<std::string>{"next"}));
}

TEST(Printer, WithoutAPrinterEveryCallFails) {
    platform::ScopedHeadlessUi ui;
    ui->SetPrinterAvailable(false);
    try {
        platform::printer::SetFontSize(12);
        FAIL();
    } catch (const ComError& e) {
        EXPECT_EQ(e.Number(), platform::formerr::PrinterError);
    }
    EXPECT_THROW(platform::printer::EndDoc(), ComError);
    EXPECT_TRUE(ui->PrintedDocuments().empty());
}

TEST(HostServices, ShellOpensProgramsBeepsAndPointerAreRecorded) {
    platform::ScopedHeadlessUi ui;
    EXPECT_TRUE(platform::ShellOpen("https://example.org"));
    EXPECT_TRUE(platform::ShellOpen("/data/clip.mp4", "/data"));
    ui->SetProgramStartSucceeds(false);
    EXPECT_FALSE(platform::StartProgram("/usr/bin/sysinfo"));
    platform::Beep();
    platform::screen::SetMousePointer(platform::vbHourglass);
    EXPECT_EQ(platform::screen::MousePointer(), 11);
    platform::screen::SetMousePointer(platform::screen::vbDefault);
    ASSERT_EQ(ui->ShellOpens().size(), 2u);
    EXPECT_EQ(ui->ShellOpens()[0].folder, "");
    EXPECT_EQ(ui->ShellOpens()[1].folder, "/data");
    EXPECT_EQ(ui->ProgramsStarted(), (std::vector<std::string>{"/usr/bin/sysinfo"}));
    EXPECT_EQ(ui->Beeps(), 1);
    EXPECT_EQ(ui->PointerChanges(), (std::vector<int>{11, 0}));
}

TEST(ErrorReportWindow, ShowHandsTheTextOverAndCreationCanFail) {
    platform::ScopedHeadlessUi ui;
    auto window = platform::CreateErrorReportWindow();
    window->SetText("report 1");
    window->Show(true);
    window->SetText("report 2");
    window->Show(true);
    EXPECT_EQ(ui->ErrorReports(), (std::vector<std::string>{"report 1", "report 2"}));
    EXPECT_EQ(ui->ErrorReportWindowsCreated(), 1);
    ui->SetErrorReportWindowAvailable(false);
    EXPECT_THROW(platform::CreateErrorReportWindow(), ComError);
}

TEST(Backend, ScopedBackendPutsThePreviousOneBack) {
    auto& before = platform::Ui();
    {
        platform::ScopedHeadlessUi ui;
        EXPECT_EQ(&platform::Ui(), &*ui);
    }
    EXPECT_EQ(&platform::Ui(), &before);
}

}  // namespace
