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
#include "src/core/frmReport_modal.h"
#include "src/quickload_media/tessaly_QuickJumpDialog.h"

namespace qltest {
namespace {

using platform::ComPtr;
using platform::ICommand;

const std::string kRule(54, '-');
const std::string kProblemsHead = "There were problems with the following layers.  They have not been added to the "
                                  "'QuickLoad.txt' file.\r\n" + kRule + "\r\n";
const std::string kAddedHead = "The following layers have been added to the 'QuickLoad.txt' file:\r\n" + kRule + "\r\n";

struct ReportShown {
    std::string caption;
    std::string text;
    double fontSize;
};

class AddLayerCommandTest : public LessonTest {
protected:
    AddLayerCommandTest() {
        WhenModal<tessaly::frmReport_modal>(*ui_, "frmReport_modal", [this](tessaly::frmReport_modal& w) {
            reports_.push_back({w.Caption(), w.txtReport.Text(), w.txtReport.FontSize()});
            w.cmdOK.UserClick();
        });
        // Outside the document's folder.
        WriteLayerFile("../elsewhere/Outside.tlyr", "Outside towns", "../Willow Creek/data/towns.shp");
        // Inside, but its data are gone.
        WriteLayerFile("layers/Lost.tlyr", "Lost wells", "../data/lost.shp");
        // In the document's folder itself, named otherwise than its file.
        WriteLayerFile("Root.tlyr", "Towns at the root", "data/towns.shp");
    }

    void Pick(std::vector<std::string> paths) {
        for (std::string& path : paths)
            if (!path.starts_with('/')) path = Folder() + path;
        host_->AnswerCatalogOpen({true, paths});
    }
    std::string Outside() const { return (temp_.Path() / "elsewhere" / "Outside.tlyr").string(); }

    static std::string NotInside(const std::string& name, const std::string& folder, const std::string& full) {
        return "--> Layer '" + name +
               "' was not located within the current project directory. Layer reference locations are stored "
               "relative to the location of the MxD file, so that the tool can find the files based only on the "
               "location of the current project file.\r\n*** The current project is located in the following "
               "directory:\r\n" +
               folder + "\r\n*** Layer '" + name + "'is located at: \r\n" + full + "\r\n\r\n";
    }
    static std::string Invalid(const std::string& name) {
        return "--> Layer '" + name +
               "' is invalid.  This most likely means that the actual data is not available, as might happen if "
               "only the 'Layer' file was copied and none of the referenced data files.\r\n\r\n";
    }

    const std::string lesson_file_ = ReadBytes(QuickLoadFile());
    ComPtr<ICommand> command_ = Command(tessaly::info::cmdQLAddLayer);
    std::vector<ReportShown> reports_;
};

TEST_F(AddLayerCommandTest, TheBrowserOpensOnTheFileForLayerFiles) {
    Click(*command_);
    ASSERT_EQ(host_->catalogShows.size(), 1u);
    const CatalogShow& shown = host_->catalogShows.front();
    EXPECT_EQ(shown.title, "Please select the Layer references to add to 'QuickLoad.txt' file:");
    EXPECT_EQ(shown.startingLocation, Folder() + "QuickLoad.txt");
    EXPECT_TRUE(shown.allowMultiSelect);
    EXPECT_EQ(shown.buttonCaption, "Add to QL...");
    EXPECT_EQ(shown.filter, "Layer files (*.tlyr)");
}

TEST_F(AddLayerCommandTest, CancellingTheBrowserSaysNothingWasAdded) {
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    const auto& box = ui_->MessageBoxes().front();
    EXPECT_EQ(box.text, "No Layer references added to QuickLoad.txt file.  Bailing out...");
    EXPECT_EQ(box.style, platform::vbInformation);
    EXPECT_EQ(box.title, "QuickLoad Cancelled:");
    EXPECT_TRUE(reports_.empty());
    EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_);
}

TEST_F(AddLayerCommandTest, LayersInsideAreAddedByTheirOwnNamesAndRelativePaths) {
    Pick({"layers/Towns.tlyr", "Root.tlyr", "layers/Land Use.tlyr"});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_ +
                                              "<Layer>\r\nTowns\r\nlayers/Towns.tlyr\r\n"
                                              "<Layer>\r\nTowns at the root\r\nRoot.tlyr\r\n"
                                              "<Layer>\r\nLand Use\r\nlayers/Land Use.tlyr\r\n");
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].caption, "QuickLoad.txt Edit Report:");
    EXPECT_EQ(reports_[0].text, kAddedHead + "--> Towns\r\n--> Towns at the root\r\n--> Land Use\r\n");
    EXPECT_EQ(reports_[0].fontSize, 8);
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(AddLayerCommandTest, AFailedWriteLeavesTheFileAsItWasAndReportsNoLayerAdded) {
    const auto before = FolderEntries();
    Pick({"layers/Towns.tlyr", "Root.tlyr", "layers/Land Use.tlyr"});
    {
        ScopedFileSizeLimit limit(lesson_file_.size() + 10);
        Click(*command_);
    }
    EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_);
    EXPECT_EQ(FolderEntries(), before);
    EXPECT_TRUE(reports_.empty());
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text, ClickBoxText("cmdQLAddLayer", 75, "Path/File access error"));
}

TEST_F(AddLayerCommandTest, AMixIsReportedProblemsFirstAndTheGoodOnesAreWritten) {
    Pick({Outside(), "layers/Towns.tlyr", "layers/Lost.tlyr"});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_ + "<Layer>\r\nTowns\r\nlayers/Towns.tlyr\r\n");
    ASSERT_EQ(reports_.size(), 2u);
    EXPECT_EQ(reports_[0].caption, "Error Report:");
    EXPECT_EQ(reports_[0].text,
              kProblemsHead + NotInside("Outside towns", Folder(), Outside()) + Invalid("Lost wells"));
    EXPECT_EQ(reports_[0].fontSize, 8);
    EXPECT_EQ(reports_[1].caption, "QuickLoad.txt Edit Report:");
    EXPECT_EQ(reports_[1].text, kAddedHead + "--> Towns\r\n");
}

TEST_F(AddLayerCommandTest, ALayerFailingBothTestsGetsBothTextsInsideFirst) {
    WriteLayerFile("../elsewhere/Gone.tlyr", "Gone", "nothing.shp");
    const std::string gone = (temp_.Path() / "elsewhere" / "Gone.tlyr").string();
    Pick({gone});
    Click(*command_);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].text, kProblemsHead + NotInside("Gone", Folder(), gone) + Invalid("Gone"));
}

TEST_F(AddLayerCommandTest, ALayerFileWhosePathHoldsALineBreakIsRefusedNotStoredUnderAnotherPath) {
    for (const char* name : {"Two\nlines.tlyr", "Car\rriage.tlyr"}) {
        SCOPED_TRACE(name);
        reports_.clear();
        WriteLayerFile(std::string("layers/") + name, "Broken", "../data/towns.shp");
        Pick({std::string("layers/") + name, "Root.tlyr"});
        Click(*command_);
        EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_ + "<Layer>\r\nTowns at the root\r\nRoot.tlyr\r\n");
        ASSERT_EQ(reports_.size(), 2u);
        EXPECT_EQ(reports_[0].caption, "Error Report:");
        EXPECT_EQ(reports_[0].text,
                  kProblemsHead + "--> Layer 'Broken' cannot be stored: the path of its layer file holds a line "
                                  "break, which the QuickLoad.txt file cannot keep.  Rename the file or its folder "
                                  "and add it again.\r\n*** Layer 'Broken'is located at: \r\n" +
                      Folder() + "layers/" + name + "\r\n\r\n");
        EXPECT_EQ(reports_[1].text, kAddedHead + "--> Towns at the root\r\n");
        WriteBytes(QuickLoadFile(), lesson_file_);
    }
}

TEST_F(AddLayerCommandTest, OnlyTheDocumentsOwnFolderCountsAsInside) {
    // A folder whose path holds the document's folder further in, and one that
    // differs only in letter case: neither is the document's folder here.
    const std::string nested = (temp_.Path() / ("nest" + Folder()) / "Nested.tlyr").string();
    const std::string otherCase = (temp_.Path() / "willow creek" / "Case.tlyr").string();
    WriteBytes(nested, ReadBytes(Lesson("Root.tlyr")));
    WriteBytes(otherCase, ReadBytes(Lesson("Root.tlyr")));
    Pick({nested, otherCase});
    Click(*command_);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), lesson_file_);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].caption, "Error Report:");
    EXPECT_NE(reports_[0].text.find("'Towns at the root' was not located"), std::string::npos);
    EXPECT_EQ(ui_->MessageBoxes().size(), 0u);
}

TEST_F(AddLayerCommandTest, WithoutAFileTheQuestionComesAfterBrowsingAndOnlyForSomethingToWrite) {
    std::filesystem::remove(QuickLoadFile());
    const std::string question = "No text file available at " + Folder() +
                                 "QuickLoad.txt.  Do you wish to create the file?";

    Pick({Outside()});
    Click(*command_);
    EXPECT_TRUE(ui_->MessageBoxes().empty()) << "nothing to write: no question";
    EXPECT_EQ(reports_.size(), 1u);

    ui_->QueueAnswer(platform::vbNo);
    Pick({Outside(), "layers/Towns.tlyr"});
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_->MessageBoxes()[0].text, question);
    EXPECT_EQ(ui_->MessageBoxes()[0].style, platform::vbYesNo);
    EXPECT_EQ(ui_->MessageBoxes()[0].title, "Need to create new QuickLoad.txt file:");
    EXPECT_FALSE(std::filesystem::exists(QuickLoadFile()));
    EXPECT_EQ(reports_.size(), 1u) << "No shows neither report";

    ui_->QueueAnswer(platform::vbYes);
    Pick({"layers/Towns.tlyr"});
    Click(*command_);
    EXPECT_EQ(ui_->MessageBoxes().size(), 2u);
    EXPECT_EQ(ReadBytes(QuickLoadFile()), "<Layer>\r\nTowns\r\nlayers/Towns.tlyr\r\n");
    ASSERT_EQ(reports_.size(), 2u);
    EXPECT_EQ(reports_[1].caption, "QuickLoad.txt Edit Report:");
}

TEST_F(AddLayerCommandTest, AnAddedLayerLoadsThroughTheQuickLoadCommand) {
    Pick({"Root.tlyr"});
    Click(*command_);
    WhenModal<tessaly::tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [](tessaly::tessaly_QuickJumpDialog& d) {
        d.optLayers.UserClick();
        d.lbxList.UserClick(d.lbxList.ListCount() - 1);
        d.cmdOK.UserClick();
    });
    Click(*Command(tessaly::info::cmdQuickLoad));
    const auto map = app_->Document()->FocusMap();
    const auto& added = map->Layer(map->LayerCount() - 1);
    EXPECT_EQ(added->Name(), "Towns at the root");
    EXPECT_TRUE(added->Valid());
}

}  // namespace
}  // namespace qltest
