#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "QuickLoadTestSupport.h"
#include "platform/map/Application.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "src/core/CommandTable.h"
#include "src/quickload_media/frm_InputSpatialBookmark.h"
#include "src/quickload_media/tessaly_MediaDialog.h"
#include "src/quickload_media/tessaly_QuickJumpDialog.h"

// A lesson folder's name is used as it stands: blanks at its end, "?" and
// apostrophes are parts of the name, and every command finds the lesson's
// files there.
namespace qltest {
namespace {

using Names = std::vector<std::string>;

Names Lines(platform::ListBox& list) {
    Names lines;
    for (int i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
    return lines;
}

class LessonFolderNameTest : public LessonTest, public ::testing::WithParamInterface<const char*> {
protected:
    LessonFolderNameTest() : LessonTest(GetParam()) {}
};

TEST_P(LessonFolderNameTest, QuickLoadListsTheLessonsEntriesAndAddsALayer) {
    Names layers;
    WhenModal<tessaly::tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [&](tessaly::tessaly_QuickJumpDialog& d) {
        d.optLayers.UserClick();
        layers = Lines(d.lbxList);
        d.lbxList.UserClick(0);
        d.cmdOK.UserClick();
    });
    const auto focus = app_->Document()->FocusMap();
    const auto layersBefore = focus->LayerCount();
    Click(*Command(tessaly::info::cmdQuickLoad));
    EXPECT_EQ(layers, (Names{"Wells", "Subbasins", "Rivers"}));
    EXPECT_TRUE(ui_->MessageBoxes().empty());
    ASSERT_EQ(focus->LayerCount(), layersBefore + 1);
}

TEST_P(LessonFolderNameTest, AddBookmarkWritesIntoTheLessonsOwnFile) {
    const std::string before = ReadBytes(QuickLoadFile());
    app_->Document()->FocusMap()->Extent(platform::Envelope(1, 2, 3, 4));
    WhenModal<tessaly::frm_InputSpatialBookmark>(*ui_, "frm_InputSpatialBookmark",
                                                 [](tessaly::frm_InputSpatialBookmark& f) {
                                                     f.txtName.UserType("Dam site");
                                                     f.OKButton.UserClick();
                                                 });
    Click(*Command(tessaly::info::cmdQLAddSpatial));
    EXPECT_EQ(ReadBytes(QuickLoadFile()), before + "<Bookmark>\r\nDam site\r\n1\r\n2\r\n3\r\n4\r\n");
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u) << "no question whether to create a file";
    EXPECT_EQ(ui_->MessageBoxes()[0].text, "'Dam site' has been saved to the QuickLoad.txt file.");
    Names siblings;
    for (const auto& entry : std::filesystem::directory_iterator(temp_.Path()))
        siblings.push_back(entry.path().filename().string());
    EXPECT_EQ(siblings, (Names{GetParam()}));
}

TEST_P(LessonFolderNameTest, MediaViewerReadsTheLessonsListAndOpensItsFiles) {
    Names listed;
    WhenModal<tessaly::tessaly_MediaDialog>(*ui_, "tessaly_MediaDialog", [&](tessaly::tessaly_MediaDialog& d) {
        listed = Lines(d.lbxAll);
        d.lbxAll.UserClick(2);
        d.cmdOK.UserClick();
        d.cmdCancel.UserClick();
    });
    Click(*Command(tessaly::info::cmdMediaViewer));
    EXPECT_TRUE(host_->catalogShows.empty());
    EXPECT_EQ(listed.size(), 3u);
    ASSERT_EQ(ui_->ShellOpens().size(), 1u);
    EXPECT_EQ(ui_->ShellOpens()[0].target, "willow_creek.png");
    EXPECT_EQ(ui_->ShellOpens()[0].folder, Folder() + "media/");
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Names, LessonFolderNameTest,
                         ::testing::Values("Willow Creek ", "Willow Creek?", "O'Brien's Creek"),
                         [](const auto& info) {
                             return std::string(info.index == 0   ? "TrailingBlank"
                                                : info.index == 1 ? "QuestionMark"
                                                                  : "Apostrophes");
                         });

}  // namespace
}  // namespace qltest
