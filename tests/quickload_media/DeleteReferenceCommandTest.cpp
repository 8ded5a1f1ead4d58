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

TEST_F(DeleteReferenceCommandTest, OKWithNothingMarkedRewritesTheEntriesOnly) {
    WriteBytes(QuickLoadFile(), "notes\n" + kQueryA + "\r\nmore notes\r<Layer>\nWells\nlayers/Wells.tlyr");
    Mark({});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), kQueryA + kLayerA);
    EXPECT_EQ(report_, kReportHead);
}

TEST_F(DeleteReferenceCommandTest, AWindows1252FileIsRewrittenAsTheSameText) {
    WriteBytes(QuickLoadFile(), "<Query>\r\nS\xF8r\r\n\"A\" = '\xC5'\r\n<Query>\r\nNord\r\nx\r\n");
    Mark({1});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), "<Query>\r\nS\xC3\xB8r\r\n\"A\" = '\xC3\x85'\r\n");
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
