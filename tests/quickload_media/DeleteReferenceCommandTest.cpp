#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "QuickLoadTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "src/core/CommandTable.h"
#include "src/core/frmReport_modal.h"
#include "src/quickload_media/frm_QLDelete.h"

namespace qltest {
namespace {

using platform::ComPtr;
using platform::ICommand;
using tessaly::frm_QLDelete;
using Names = std::vector<std::string>;

const std::string kBookmarkA = "<Bookmark>\r\nLake\r\n1\r\n2\r\n3\r\n4\r\n";
const std::string kQueryA = "<Query>\r\nBig\r\n\"POP\" > 5000\r\n";
const std::string kLayerA = "<Layer>\r\nWells\r\nlayers/Wells.tlyr\r\n";
const std::string kQueryB = "<Query>\r\nBig\r\n\"POP\" > 9000\r\n";
const std::string kFile = kBookmarkA + kQueryA + kLayerA + kQueryB;
const Names kLabels{"Lake  [Spatial Bookmark]", "Big  [Saved Query]", "Wells  [Layer File]", "Big  [Saved Query]"};
const std::string kReportHead =
    "The following references were deleted from the QuickLoad.txt file:\r\n" + std::string(46, '-') + "\r\n";

class DeleteReferenceCommandTest : public LessonTest {
protected:
    DeleteReferenceCommandTest() {
        WriteBytes(QuickLoadFile(), kFile);
        WhenModal<tessaly::frmReport_modal>(*ui_, "frmReport_modal", [this](tessaly::frmReport_modal& w) {
            reportCaption_ = w.Caption();
            report_ = w.txtReport.Text();
            reportFontSize_ = w.txtReport.FontSize();
            w.cmdOK.UserClick();
        });
    }
    // The next form: these rows marked, then OK (or Cancel).
    void Mark(std::vector<int> rows, bool ok = true) {
        WhenModal<frm_QLDelete>(*ui_, "frm_QLDelete", [this, rows, ok](frm_QLDelete& f) {
            caption_ = f.Caption();
            listed_.clear();
            for (int i = 0; i < f.lbxReferences.ListCount(); ++i) listed_.push_back(f.lbxReferences.List(i));
            for (int row : rows) f.lbxReferences.UserClick(row);
            (ok ? f.OKButton : f.CancelButton).UserClick();
        });
    }

    ComPtr<ICommand> command_ = Command(tessaly::info::cmdQLDelete);
    std::string caption_, reportCaption_, report_;
    double reportFontSize_ = 0;
    Names listed_;
};

TEST_F(DeleteReferenceCommandTest, EveryEntryIsListedWithItsKind) {
    Mark({}, false);
    Click(*command_);
    EXPECT_EQ(caption_, "Delete References from QuickLoad File:");
    EXPECT_EQ(listed_, kLabels);
}

TEST_F(DeleteReferenceCommandTest, MarkedEntriesGoAndTheOthersStayByteForByte) {
    struct Case {
        const char* name;
        std::vector<int> rows;
        std::string kept;
        std::string reported;
    };
    const Case cases[] = {
        {"one of two alike", {3}, kBookmarkA + kQueryA + kLayerA, "  --> Big  [Saved Query]\r\n"},
        {"the first", {0}, kQueryA + kLayerA + kQueryB, "  --> Lake  [Spatial Bookmark]\r\n"},
        {"marked in any order, reported in file order", {2, 1}, kBookmarkA + kQueryB,
         "  --> Big  [Saved Query]\r\n  --> Wells  [Layer File]\r\n"},
        {"marked and unmarked again", {1, 1}, kFile, ""},
        {"every one", {0, 1, 2, 3}, "",
         "  --> Lake  [Spatial Bookmark]\r\n  --> Big  [Saved Query]\r\n  --> Wells  [Layer File]\r\n"
         "  --> Big  [Saved Query]\r\n"},
    };
    for (const Case& c : cases) {
        WriteBytes(QuickLoadFile(), kFile);
        Mark(c.rows);
        Click(*command_);
        EXPECT_TRUE(std::filesystem::exists(QuickLoadFile())) << c.name;
        EXPECT_EQ(ReadBytes(QuickLoadFile()), c.kept) << c.name;
        EXPECT_EQ(report_, kReportHead + c.reported) << c.name;
        EXPECT_EQ(reportCaption_, "QuickLoad Edit Report:") << c.name;
        EXPECT_EQ(reportFontSize_, 8) << c.name;
    }
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(DeleteReferenceCommandTest, CancelOrTheCloseBoxLeavesTheFileUntouched) {
    const std::string untidy = "notes\n" + kQueryA + "\r\nmore notes\r" + kLayerA + "Bod\xF8\r\n";
    WriteBytes(QuickLoadFile(), untidy);
    Mark({0, 1}, false);
    Click(*command_);
    WhenModal<frm_QLDelete>(*ui_, "frm_QLDelete", [](frm_QLDelete& f) {
        f.lbxReferences.UserClick(0);
        f.UserClose();
    });
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), untidy);
    EXPECT_EQ(ui_->ModalShows(), (Names{"frm_QLDelete", "frm_QLDelete"})) << "no report";
}

TEST_F(DeleteReferenceCommandTest, OnlyTheMarkedEntrysLinesGoNotesAndNearMissesStay) {
    const std::string notes = "Teacher's notes: week 3\r\n\r\n<layer>\r\n<Query> \r\n";
    WriteBytes(QuickLoadFile(), notes + kQueryA + "between\n" + kLayerA + "last words");
    Mark({0});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), notes + "between\n" + kLayerA + "last words");
    EXPECT_EQ(report_, kReportHead + "  --> Big  [Saved Query]\r\n");
}

TEST_F(DeleteReferenceCommandTest, OKWithNothingMarkedLeavesTheFileByteIdentical) {
    const std::string untidy = "notes\n" + kQueryA + "\r\nmore notes\r<Layer>\nWells\nlayers/Wells.tlyr";
    WriteBytes(QuickLoadFile(), untidy);
    Mark({});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), untidy);
    EXPECT_EQ(report_, kReportHead);
}

TEST_F(DeleteReferenceCommandTest, OfTwoEntriesAlikeTheMarkedOneGoes) {
    const std::string first = "<Query>\nBig\n\"POP\" > 5000\n";
    WriteBytes(QuickLoadFile(), first + kQueryA);
    Mark({1});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), first);
}

TEST_F(DeleteReferenceCommandTest, WhatAnotherProgramAddedWhileTheFormWasOpenStays) {
    WhenModal<frm_QLDelete>(*ui_, "frm_QLDelete", [this](frm_QLDelete& f) {
        WriteBytes(QuickLoadFile(), "new note\r\n" + kFile + kLayerA + "<Query>\r\nNew\r\nx = 1\r\n");
        f.lbxReferences.UserClick(2);
        f.OKButton.UserClick();
    });
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()),
              "new note\r\n" + kBookmarkA + kQueryA + kQueryB + kLayerA + "<Query>\r\nNew\r\nx = 1\r\n");
    EXPECT_EQ(report_, kReportHead + "  --> Wells  [Layer File]\r\n");
}

TEST_F(DeleteReferenceCommandTest, KeptLinesKeepTheirBytesInAWindows1252File) {
    WriteBytes(QuickLoadFile(), "<Query>\r\nS\xF8r\r\n\"A\" = '\xC5'\r\n<Query>\r\nNord\r\nx\r\n");
    Mark({1});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), "<Query>\r\nS\xF8r\r\n\"A\" = '\xC5'\r\n");
}

TEST_F(DeleteReferenceCommandTest, AFailedWriteLeavesTheFileAndNoTemporaryFile) {
    const auto before = FolderEntries();
    Mark({0});
    {
        ScopedFileSizeLimit limit(10);
        Click(*command_);
    }
    EXPECT_EQ(ReadBytes(QuickLoadFile()), kFile);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text, ClickBoxText("cmdQLDelete", 75, "Path/File access error"));
    EXPECT_EQ(FolderEntries(), before);
}

TEST_F(DeleteReferenceCommandTest, AFileEndingInsideAnEntryChangesNothing) {
    const std::string broken = kQueryA + "<Bookmark>\r\nLake\r\n1\r\n";
    WriteBytes(QuickLoadFile(), broken);
    Mark({0});
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text, ClickBoxText("cmdQLDelete", 62, "Input past end of file"));
    EXPECT_TRUE(ui_->ModalShows().empty());
    EXPECT_EQ(ReadBytes(QuickLoadFile()), broken);
}

TEST_F(DeleteReferenceCommandTest, WithoutAFileTheUserMayPointToOneWhereverItLies) {
    std::filesystem::remove(QuickLoadFile());
    const auto elsewhere = temp_.Path() / "elsewhere" / "shortcuts.txt";
    WriteBytes(elsewhere, kFile);
    host_->AnswerCatalogOpen({true, {elsewhere.string()}});
    Mark({0});
    Click(*command_);
    ASSERT_EQ(host_->catalogShows.size(), 1u);
    const CatalogShow& shown = host_->catalogShows.front();
    EXPECT_EQ(shown.title, "Please identify the Tessaly 'QuickLoad.txt' file:");
    EXPECT_EQ(shown.startingLocation, Folder() + "QuickLoad.txt");
    EXPECT_FALSE(shown.allowMultiSelect);
    EXPECT_EQ(shown.filter, "Text files (*.txt)");
    EXPECT_EQ(ReadBytes(elsewhere), kQueryA + kLayerA + kQueryB);
    EXPECT_FALSE(std::filesystem::exists(QuickLoadFile()));
}

TEST_F(DeleteReferenceCommandTest, WithoutAFileCancellingTheBrowserSaysSo) {
    std::filesystem::remove(QuickLoadFile());
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    const auto& box = ui_->MessageBoxes().front();
    EXPECT_EQ(box.text, "Unable to find Tessaly 'QuickLoad.txt' file.  Bailing out...");
    EXPECT_EQ(box.style, platform::vbInformation);
    EXPECT_EQ(box.title, "QuickLoad Editor Cancelled:");
    EXPECT_TRUE(ui_->ModalShows().empty());
}

}  // namespace
}  // namespace qltest
