#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "QuickLoadTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "src/core/CommandTable.h"
#include "src/quickload_media/frm_InputQuery.h"
#include "src/quickload_media/frm_InputSpatialBookmark.h"

namespace qltest {
namespace {

using platform::ComPtr;
using platform::ICommand;
using tessaly::frm_InputQuery;
using tessaly::frm_InputSpatialBookmark;

class AddEntryTest : public LessonTest {
protected:
    AddEntryTest() {
        app_->Document()->FocusMap()->Extent(platform::Envelope(490000.5, 4755000, 495000, 4760000.25));
    }
    // The next bookmark form: the name typed, then OK (or Cancel).
    void NameBookmark(const std::string& name, bool ok = true) {
        WhenModal<frm_InputSpatialBookmark>(*ui_, "frm_InputSpatialBookmark", [name, ok](frm_InputSpatialBookmark& f) {
            f.txtName.UserType(name);
            (ok ? f.OKButton : f.CancelButton).UserClick();
        });
    }
    void NameQuery(const std::string& name, const std::string& text, bool ok = true) {
        WhenModal<frm_InputQuery>(*ui_, "frm_InputQuery", [name, text, ok](frm_InputQuery& f) {
            f.txtName.UserType(name);
            f.txtQuery.UserType(text);
            (ok ? f.OKButton : f.CancelButton).UserClick();
        });
    }
    const platform::HeadlessBackend::MessageBoxRecord& LastBox() const { return ui_->MessageBoxes().back(); }

    const std::string lesson_file_ = ReadBytes(QuickLoadFile());
    ComPtr<ICommand> bookmarks_ = Command(tessaly::info::cmdQLAddSpatial);
    ComPtr<ICommand> queries_ = Command(tessaly::info::cmdQLAddQuery);
};

TEST_F(AddEntryTest, ABookmarkSavesTheRectangleShownAndSaysSo) {
    NameBookmark("Dam site");
    Click(*bookmarks_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()),
              lesson_file_ + "<Bookmark>\r\nDam site\r\n490000.5\r\n4755000\r\n495000\r\n4760000.25\r\n");
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().text, "'Dam site' has been saved to the QuickLoad.txt file.");
    EXPECT_EQ(LastBox().style, 0);
    EXPECT_EQ(LastBox().title, platform::kDefaultMessageBoxTitle);
}

TEST_F(AddEntryTest, TheBookmarkIsTheRectangleOfTheClickNotOfTheOK) {
    WhenModal<frm_InputSpatialBookmark>(*ui_, "frm_InputSpatialBookmark", [this](frm_InputSpatialBookmark& f) {
        app_->Document()->FocusMap()->Extent(platform::Envelope(1, 2, 3, 4));
        f.txtName.UserType("Then");
        f.OKButton.UserClick();
    });
    Click(*bookmarks_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()),
              lesson_file_ + "<Bookmark>\r\nThen\r\n490000.5\r\n4755000\r\n495000\r\n4760000.25\r\n");
}

TEST_F(AddEntryTest, AQuerySavesItsNameAndTextAndSaysSo) {
    NameQuery("Deep wells", "\"DEPTH_M\" > 40");
    Click(*queries_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_ + "<Query>\r\nDeep wells\r\n\"DEPTH_M\" > 40\r\n");
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().text, "'Deep wells' has been saved to the QuickLoad.txt file.");
}

TEST_F(AddEntryTest, AQueryOnSeveralLinesIsSavedOnOne) {
    NameQuery("Two lines", "\"DEPTH_M\" > 40\r\nAND \"NITRATE\" < 5");
    Click(*queries_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()),
              lesson_file_ + "<Query>\r\nTwo lines\r\n\"DEPTH_M\" > 40 AND \"NITRATE\" < 5\r\n");
}

TEST_F(AddEntryTest, NamesAreSavedAsTypedAndMayRepeat) {
    const std::string names[] = {"  ", "cancel", "CANCEL", "Dam site", "Dam site", "Bod\xC3\xB8 – s\xC3\xB8r"};
    std::string expected = lesson_file_;
    for (const std::string& name : names) {
        NameBookmark(name);
        Click(*bookmarks_);
        expected += "<Bookmark>\r\n" + name + "\r\n490000.5\r\n4755000\r\n495000\r\n4760000.25\r\n";
    }
    EXPECT_EQ(ReadBytes(QuickLoadFile()), expected);
    EXPECT_EQ(ui_->MessageBoxes().size(), std::size(names));
}

TEST_F(AddEntryTest, CancelAndTheCloseBoxWriteNothing) {
    NameBookmark("Dam site", false);
    Click(*bookmarks_);
    WhenModal<frm_InputSpatialBookmark>(*ui_, "frm_InputSpatialBookmark", [](frm_InputSpatialBookmark& f) {
        f.txtName.UserType("Closed");
        f.UserClose();
    });
    Click(*bookmarks_);
    NameQuery("Deep", "x = 1", false);
    Click(*queries_);
    WhenModal<frm_InputQuery>(*ui_, "frm_InputQuery", [](frm_InputQuery& f) {
        f.txtName.UserType("Closed");
        f.txtQuery.UserType("x = 1");
        f.UserClose();
    });
    Click(*queries_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
    EXPECT_EQ(ui_->ModalShows().size(), 4u);
}

TEST_F(AddEntryTest, TheNameCancelIsSavedLikeAnyOther) {
    NameBookmark("Cancel");
    Click(*bookmarks_);
    NameQuery("Cancel", "x = 1");
    Click(*queries_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()),
              lesson_file_ + "<Bookmark>\r\nCancel\r\n490000.5\r\n4755000\r\n495000\r\n4760000.25\r\n" +
                  "<Query>\r\nCancel\r\nx = 1\r\n");
    ASSERT_EQ(ui_->MessageBoxes().size(), 2u);
    for (const auto& box : ui_->MessageBoxes())
        EXPECT_EQ(box.text, "'Cancel' has been saved to the QuickLoad.txt file.");
}

TEST_F(AddEntryTest, AFailedWriteLeavesTheFileAsItWasAndSaysSo) {
    const auto before = FolderEntries();
    NameBookmark("Dam site");
    NameQuery("Deep wells", "\"DEPTH_M\" > 40");
    {
        ScopedFileSizeLimit limit(lesson_file_.size() + 10);
        Click(*bookmarks_);
        Click(*queries_);
    }
    EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_);
    EXPECT_EQ(FolderEntries(), before);
    ASSERT_EQ(ui_->MessageBoxes().size(), 2u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text, ClickBoxText("cmdQLAddSpatial", 75, "Path/File access error"));
    EXPECT_EQ(ui_->MessageBoxes()[1].text, ClickBoxText("cmdQLAddQuery", 75, "Path/File access error"));
}

TEST_F(AddEntryTest, WithoutAFileTheUserIsAskedFirst) {
    std::filesystem::remove(QuickLoadFile());
    const std::string question = "No text file available at " + Folder() +
                                 "QuickLoad.txt.  Do you wish to create the file?";
    struct Case {
        const char* name;
        int answer;
        bool formOk;
        bool created;
        std::vector<std::string> shows;
    };
    const Case cases[] = {
        {"No", platform::vbNo, true, false, {}},
        {"Yes, then Cancel", platform::vbYes, false, false, {"frm_InputQuery"}},
        {"Yes, then OK", platform::vbYes, true, true, {"frm_InputQuery"}},
    };
    for (const Case& c : cases) {
        const std::size_t boxes = ui_->MessageBoxes().size();
        const std::size_t shows = ui_->ModalShows().size();
        ui_->QueueAnswer(c.answer);
        NameQuery("First", "x = 1", c.formOk);
        Click(*queries_);
        ASSERT_GT(ui_->MessageBoxes().size(), boxes) << c.name;
        const auto& asked = ui_->MessageBoxes()[boxes];
        EXPECT_EQ(asked.text, question) << c.name;
        EXPECT_EQ(asked.style, platform::vbYesNo) << c.name;
        EXPECT_EQ(asked.title, "Need to create new QuickLoad.txt file:") << c.name;
        EXPECT_EQ(std::vector<std::string>(ui_->ModalShows().begin() + static_cast<std::ptrdiff_t>(shows),
                                           ui_->ModalShows().end()),
                  c.shows)
            << c.name;
        EXPECT_EQ(std::filesystem::exists(QuickLoadFile()), c.created) << c.name;
    }
    EXPECT_EQ(ReadBytes(QuickLoadFile()), "<Query>\r\nFirst\r\nx = 1\r\n");
}

TEST_F(AddEntryTest, TheBookmarkCommandAsksTooBeforeItsForm) {
    std::filesystem::remove(QuickLoadFile());
    ui_->QueueAnswer(platform::vbNo);
    NameBookmark("Dam site");
    Click(*bookmarks_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(LastBox().title, "Need to create new QuickLoad.txt file:");
    EXPECT_TRUE(ui_->ModalShows().empty());
    EXPECT_FALSE(std::filesystem::exists(QuickLoadFile()));

    ui_->QueueAnswer(platform::vbYes);
    Click(*bookmarks_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), "<Bookmark>\r\nDam site\r\n490000.5\r\n4755000\r\n495000\r\n4760000.25\r\n");
}

TEST_F(AddEntryTest, OKIsEnabledExactlyWhileEveryBoxHoldsText) {
    std::vector<bool> bookmarkOk, queryOk;
    std::string bookmarkCaption, queryCaption;
    WhenModal<frm_InputSpatialBookmark>(*ui_, "frm_InputSpatialBookmark", [&](frm_InputSpatialBookmark& f) {
        bookmarkCaption = f.Caption();
        bookmarkOk.push_back(f.OKButton.Enabled());
        f.txtName.UserType(" ");
        bookmarkOk.push_back(f.OKButton.Enabled());
        f.txtName.UserSelect(0, 1);
        f.txtName.UserType("");
        bookmarkOk.push_back(f.OKButton.Enabled());
        f.CancelButton.UserClick();
    });
    Click(*bookmarks_);
    WhenModal<frm_InputQuery>(*ui_, "frm_InputQuery", [&](frm_InputQuery& f) {
        queryCaption = f.Caption();
        queryOk.push_back(f.OKButton.Enabled());
        f.txtName.UserType("Name");
        queryOk.push_back(f.OKButton.Enabled());
        f.txtQuery.UserType("x");
        queryOk.push_back(f.OKButton.Enabled());
        f.txtName.UserSelect(0, 4);
        f.txtName.UserType("");
        queryOk.push_back(f.OKButton.Enabled());
        f.CancelButton.UserClick();
    });
    Click(*queries_);
    EXPECT_EQ(bookmarkCaption, "Create TESSALY Spatial Bookmark:");
    EXPECT_EQ(bookmarkOk, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(queryCaption, "Add TESSALY Query String:");
    EXPECT_EQ(queryOk, (std::vector<bool>{false, false, true, false}));
}

}  // namespace
}  // namespace qltest
