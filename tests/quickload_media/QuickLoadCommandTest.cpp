#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "QuickLoadTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/ContentsView.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "src/core/CommandTable.h"
#include "src/core/frmReport_modal.h"
#include "src/quickload_media/tessaly_QuickJumpDialog.h"

namespace qltest {
namespace {

using platform::ComPtr;
using platform::ICommand;
using tessaly::tessaly_QuickJumpDialog;
using Names = std::vector<std::string>;
using Option = platform::OptionButton tessaly_QuickJumpDialog::*;

const Names kMaps{"Willow Creek Watershed", "Regional Overview"};
const Names kBookmarks{"Lake Willow", "Downtown Willow Falls", "Outlet at Eastport"};
const Names kQueries{"Towns over 5000 people", "Wet years", "Forest parcels"};
const Names kLayers{"Wells", "Subbasins", "Rivers"};

Names Lines(platform::ListBox& list) {
    Names lines;
    for (int i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
    return lines;
}

std::array<double, 4> Coordinates(const platform::Envelope& envelope) {
    std::array<double, 4> c{};
    envelope.QueryCoords(c[0], c[1], c[2], c[3]);
    return c;
}

class QuickLoadCommandTest : public LessonTest {
protected:
    // The next picker chooses this row of this option's list with OK.
    void Pick(Option option, int row) {
        WhenModal<tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [option, row](tessaly_QuickJumpDialog& d) {
            (d.*option).UserClick();
            d.lbxList.UserClick(row);
            d.cmdOK.UserClick();
        });
    }
    // Clicks and closes the query window that shows, keeping what it showed.
    void KeepQueryWindow() {
        WhenModal<tessaly::frmReport_modal>(*ui_, "frmReport_modal", [this](tessaly::frmReport_modal& w) {
            shownCaption_ = w.Caption();
            shownText_ = w.txtReport.Text();
            shownFontSize_ = w.txtReport.FontSize();
            w.cmdOK.UserClick();
        });
    }
    std::shared_ptr<platform::Map> MapNamed(const std::string& name) const {
        for (const auto& map : app_->Document()->Maps()->All())
            if (map->Name() == name) return map;
        return nullptr;
    }
    std::vector<bool> Expanded() const {
        std::vector<bool> expanded;
        for (const auto& map : app_->Document()->Maps()->All()) expanded.push_back(map->Expanded());
        return expanded;
    }

    ComPtr<ICommand> command_ = Command(tessaly::info::cmdQuickLoad);
    std::string shownCaption_, shownText_;
    double shownFontSize_ = 0;
};

TEST_F(QuickLoadCommandTest, WithoutAFileItSaysSoAndShowsNoPicker) {
    std::filesystem::remove(QuickLoadFile());
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    const auto& box = ui_->MessageBoxes().front();
    EXPECT_EQ(box.text,
              "Unable to find Tessaly 'QuickLoad.txt' file.  File should be located in the same directory as the "
              "ArcGIS MxD file.\r\n\r\nBailing out...");
    EXPECT_EQ(box.style, platform::vbInformation);
    EXPECT_EQ(box.title, "QuickLoad Editor Cancelled:");
    EXPECT_TRUE(ui_->ModalShows().empty());
}

TEST_F(QuickLoadCommandTest, ThePickerListsEachKindInFileOrder) {
    std::vector<Names> listed;
    std::vector<bool> okEnabled;
    std::string caption;
    WhenModal<tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [&](tessaly_QuickJumpDialog& d) {
        caption = d.Caption();
        const Option options[] = {&tessaly_QuickJumpDialog::optExtents, &tessaly_QuickJumpDialog::optLayers,
                                  &tessaly_QuickJumpDialog::optQueries};
        listed.push_back(Lines(d.lbxList));
        okEnabled.push_back(d.cmdOK.Enabled());
        for (Option option : options) {
            d.lbxList.UserClick(0);
            (d.*option).UserClick();
            listed.push_back(Lines(d.lbxList));
            okEnabled.push_back(d.cmdOK.Enabled());
        }
        d.cmdCancel.UserClick();
    });
    Click(*command_);
    EXPECT_EQ(caption, "QuickLoad");
    EXPECT_EQ(listed, (std::vector<Names>{kMaps, kBookmarks, kLayers, kQueries})) << "opens on Data Frames";
    EXPECT_EQ(okEnabled, (std::vector<bool>{false, false, false, false})) << "each change of option disables OK";
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(QuickLoadCommandTest, ChoosingADataFrameMakesItTheFocusMapAtItsFullExtent) {
    Pick(&tessaly_QuickJumpDialog::optViews, 1);
    Click(*command_);
    const auto overview = MapNamed("Regional Overview");
    EXPECT_EQ(app_->Document()->FocusMap(), overview);
    EXPECT_EQ(Expanded(), (std::vector<bool>{false, true}));
    EXPECT_EQ(app_->Document()->CurrentContentsView()->SelectedItem(), overview);
    EXPECT_EQ(Coordinates(overview->Extent()), Coordinates(overview->FullExtent()));
    ASSERT_EQ(host_->EventsOf(Event::Refresh).size(), 1u);
    EXPECT_EQ(host_->EventsOf(Event::Refresh).front().object, overview.get());
    EXPECT_EQ(host_->EventsOf(Event::ContentsUpdated).size(), 1u);
}

TEST_F(QuickLoadCommandTest, ChoosingTheFocusMapChangesOnlyTheContents) {
    const auto watershed = MapNamed("Willow Creek Watershed");
    watershed->Extent(platform::Envelope(490000, 4755000, 495000, 4760000));
    watershed->Expanded(false);
    Pick(&tessaly_QuickJumpDialog::optViews, 0);
    Click(*command_);
    EXPECT_EQ(app_->Document()->FocusMap(), watershed);
    EXPECT_EQ(Expanded(), (std::vector<bool>{true, false}));
    EXPECT_EQ(app_->Document()->CurrentContentsView()->SelectedItem(), watershed);
    EXPECT_EQ(Coordinates(watershed->Extent()), (std::array<double, 4>{490000, 4755000, 495000, 4760000}));
    EXPECT_TRUE(host_->EventsOf(Event::Refresh).empty());
    EXPECT_EQ(host_->EventsOf(Event::ContentsUpdated).size(), 1u);
}

TEST_F(QuickLoadCommandTest, ADataFrameIsShownInTheSourceOrDisplayViewElseInTheFirst) {
    const auto& document = app_->Document();
    const std::pair<const char*, const char*> cases[] = {
        {"Display", "Display"}, {"Source", "Source"}, {"Selection", "Display"}};
    for (const auto& [current, expected] : cases) {
        for (std::int32_t v = 0; v < document->ContentsViewCount(); ++v)
            if (document->ContentsView(v)->Name() == current) document->CurrentContentsView(document->ContentsView(v));
        Pick(&tessaly_QuickJumpDialog::optViews, 1);
        Click(*command_);
        EXPECT_EQ(document->CurrentContentsView()->Name(), expected) << current;
        EXPECT_EQ(document->CurrentContentsView()->SelectedItem(), MapNamed("Regional Overview")) << current;
    }
}

TEST_F(QuickLoadCommandTest, ChoosingABookmarkShowsItsRectangle) {
    Pick(&tessaly_QuickJumpDialog::optExtents, 1);
    Click(*command_);
    EXPECT_EQ(Coordinates(app_->Document()->FocusMap()->Extent()),
              (std::array<double, 4>{486800, 4757300, 489800, 4759700}));
    const auto refreshes = host_->EventsOf(Event::PartialRefresh);
    ASSERT_EQ(refreshes.size(), 1u);
    EXPECT_EQ(refreshes.front().phase, 6);
    EXPECT_EQ(refreshes.front().object, nullptr);
    EXPECT_FALSE(refreshes.front().hasEnvelope);
    EXPECT_EQ(refreshes.front().text, "Willow Creek Watershed");
}

TEST_F(QuickLoadCommandTest, BookmarkCoordinatesReadWithACommaAsWell) {
    WriteBytes(QuickLoadFile(), "<Bookmark>\nComma\n494800,5\n4758000\n498800,25\n4761200\n");
    Pick(&tessaly_QuickJumpDialog::optExtents, 0);
    Click(*command_);
    EXPECT_EQ(Coordinates(app_->Document()->FocusMap()->Extent()),
              (std::array<double, 4>{494800.5, 4758000, 498800.25, 4761200}));
}

TEST_F(QuickLoadCommandTest, ChoosingALayerAddsItToTheFocusMapEachTime) {
    const auto map = app_->Document()->FocusMap();
    const std::int32_t before = map->LayerCount();
    for (int time = 1; time <= 2; ++time) {
        Pick(&tessaly_QuickJumpDialog::optLayers, 0);
        Click(*command_);
        ASSERT_EQ(map->LayerCount(), before + time);
        const auto& added = map->Layer(map->LayerCount() - 1);
        EXPECT_EQ(added->Name(), "Wells");
        EXPECT_TRUE(added->Valid());
        const auto refreshes = host_->EventsOf(Event::PartialRefresh);
        ASSERT_EQ(refreshes.size(), static_cast<std::size_t>(time));
        EXPECT_EQ(refreshes.back().phase, 2);
        EXPECT_EQ(refreshes.back().object, added.get());
    }
    EXPECT_NE(map->Layer(before), map->Layer(before + 1)) << "a new layer each time";
}

TEST_F(QuickLoadCommandTest, LayerPathsWithBackslashesAreFound) {
    WriteBytes(QuickLoadFile(), "<Layer>\r\nRivers\r\nlayers\\Rivers.tlyr\r\n");
    Pick(&tessaly_QuickJumpDialog::optLayers, 0);
    Click(*command_);
    const auto map = app_->Document()->FocusMap();
    EXPECT_EQ(map->Layer(map->LayerCount() - 1)->Name(), "Rivers");
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(QuickLoadCommandTest, AMovedLayerFileIsNamedByThePathLookedFor) {
    std::filesystem::remove(Lesson("layers/Wells.tlyr"));
    const std::int32_t before = app_->Document()->FocusMap()->LayerCount();
    Pick(&tessaly_QuickJumpDialog::optLayers, 0);
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    const auto& box = ui_->MessageBoxes().front();
    EXPECT_EQ(box.text, "No layer file was found at the following location: \r\n\r\n --> " + Folder() +
                            "layers/Wells.tlyr\r\n\r\nBailing out...");
    EXPECT_EQ(box.style, platform::vbCritical);
    EXPECT_EQ(box.title, platform::kDefaultMessageBoxTitle);
    EXPECT_EQ(app_->Document()->FocusMap()->LayerCount(), before);
}

TEST_F(QuickLoadCommandTest, ALayerWhoseDataAreMissingIsInvalidAndNotAdded) {
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj", ".cpg"})
        std::filesystem::remove(Lesson(std::string("data/wells") + ext));
    const std::int32_t before = app_->Document()->FocusMap()->LayerCount();
    Pick(&tessaly_QuickJumpDialog::optLayers, 0);
    Click(*command_);
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    const auto& box = ui_->MessageBoxes().front();
    EXPECT_EQ(box.text,
              "The layer named 'Wells' is invalid. Possibly the data referenced by the layer file is missing, or the "
              "file itself is corrupt.\r\n\r\nBailing out...");
    EXPECT_EQ(box.style, platform::vbCritical);
    EXPECT_EQ(box.title, platform::kDefaultMessageBoxTitle);
    EXPECT_EQ(app_->Document()->FocusMap()->LayerCount(), before);
    EXPECT_TRUE(host_->EventsOf(Event::PartialRefresh).empty());
}

TEST_F(QuickLoadCommandTest, ChoosingAQueryShowsItsTextAndChangesNothing) {
    const std::int32_t before = app_->Document()->FocusMap()->LayerCount();
    Pick(&tessaly_QuickJumpDialog::optQueries, 2);
    KeepQueryWindow();
    Click(*command_);
    EXPECT_EQ(shownCaption_, "Query = Forest parcels");
    EXPECT_EQ(shownText_, "[LU_TYPE] = 'Forest'");
    EXPECT_EQ(shownFontSize_, 8);
    EXPECT_EQ(ui_->ModalShows(), (Names{"tessaly_QuickJumpDialog", "frmReport_modal"}));
    EXPECT_EQ(app_->Document()->FocusMap()->LayerCount(), before);
    EXPECT_TRUE(host_->Events().empty());
}

TEST_F(QuickLoadCommandTest, FailuresEndTheClickWithThePlainBox) {
    struct Case {
        const char* name;
        std::string file;
        Option option;
        std::int32_t number;
        const char* description;
        bool pickerShown;
    };
    const Case cases[] = {
        {"file ends inside an entry", "<Query>\r\nA\r\nx = 1\r\n<Bookmark>\r\nB\r\n1\r\n2\r\n3\r\n",
         &tessaly_QuickJumpDialog::optQueries, 62, "Input past end of file", false},
        {"coordinate is no number", "<Bookmark>\r\nB\r\n1\r\ntwo\r\n3\r\n4\r\n", &tessaly_QuickJumpDialog::optExtents, 13,
         "Type mismatch", true},
    };
    for (const Case& c : cases) {
        const std::size_t boxes = ui_->MessageBoxes().size();
        const std::size_t shows = ui_->ModalShows().size();
        WriteBytes(QuickLoadFile(), c.file);
        Pick(c.option, 0);
        Click(*command_);
        ASSERT_EQ(ui_->MessageBoxes().size(), boxes + 1) << c.name;
        const auto& box = ui_->MessageBoxes().back();
        EXPECT_EQ(box.text, ClickBoxText("cmdQuickLoad", c.number, c.description)) << c.name;
        EXPECT_EQ(box.style, 0) << c.name;
        EXPECT_EQ(box.title, platform::kDefaultMessageBoxTitle) << c.name;
        EXPECT_EQ(ui_->ModalShows().size() - shows, c.pickerShown ? 1u : 0u) << c.name;
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
    EXPECT_TRUE(host_->EventsOf(Event::PartialRefresh).empty());
}

TEST_F(QuickLoadCommandTest, TheKeptPickerOpensOnTheKindUsedLastWithTheFilesNewEntries) {
    WhenModal<tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [](tessaly_QuickJumpDialog& d) {
        d.optQueries.UserClick();
        d.lbxList.UserClick(1);
        d.cmdCancel.UserClick();
    });
    Click(*command_);
    WriteBytes(QuickLoadFile(), ReadBytes(QuickLoadFile()) + "<Query>\r\nNew one\r\n\"A\" = 1\r\n");

    Names listed;
    bool queriesSet = false, okEnabled = true;
    WhenModal<tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [&](tessaly_QuickJumpDialog& d) {
        queriesSet = d.optQueries.Value();
        listed = Lines(d.lbxList);
        okEnabled = d.cmdOK.Enabled();
        d.cmdCancel.UserClick();
    });
    Click(*command_);
    EXPECT_TRUE(queriesSet);
    Names expected = kQueries;
    expected.push_back("New one");
    EXPECT_EQ(listed, expected);
    EXPECT_FALSE(okEnabled);
}

TEST_F(QuickLoadCommandTest, ClosingThePickerCountsAsCancelAndTheNextClickStartsAfresh) {
    WhenModal<tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [](tessaly_QuickJumpDialog& d) {
        d.optLayers.UserClick();
        d.lbxList.UserClick(0);
        d.UserClose();
    });
    const std::int32_t before = app_->Document()->FocusMap()->LayerCount();
    Click(*command_);
    EXPECT_EQ(app_->Document()->FocusMap()->LayerCount(), before);

    Names listed;
    WhenModal<tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [&](tessaly_QuickJumpDialog& d) {
        listed = Lines(d.lbxList);
        d.cmdCancel.UserClick();
    });
    Click(*command_);
    EXPECT_EQ(listed, kMaps);
}

TEST_F(QuickLoadCommandTest, ADoubleClickActsOnALineButNotOnTheEmptyArea) {
    WhenModal<tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [](tessaly_QuickJumpDialog& d) {
        d.optExtents.UserClick();
        d.lbxList.UserDoubleClick(-1);
        EXPECT_TRUE(d.IsVisible()) << "nothing chosen, the picker stays";
        d.lbxList.UserDoubleClick(2);
    });
    Click(*command_);
    EXPECT_EQ(Coordinates(app_->Document()->FocusMap()->Extent()),
              (std::array<double, 4>{500500, 4754200, 504000, 4757200}));
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(QuickLoadCommandTest, KindsWithoutEntriesListNothingAndKeepOKDisabled) {
    WriteBytes(QuickLoadFile(), "<Query>\r\nOnly\r\n\"A\" = 1\r\n");
    std::vector<Names> listed;
    bool okEnabled = true;
    WhenModal<tessaly_QuickJumpDialog>(*ui_, "tessaly_QuickJumpDialog", [&](tessaly_QuickJumpDialog& d) {
        d.optExtents.UserClick();
        listed.push_back(Lines(d.lbxList));
        d.optLayers.UserClick();
        listed.push_back(Lines(d.lbxList));
        d.lbxList.UserClick(0);
        okEnabled = d.cmdOK.Enabled();
        d.optQueries.UserClick();
        listed.push_back(Lines(d.lbxList));
        d.cmdCancel.UserClick();
    });
    Click(*command_);
    EXPECT_EQ(listed, (std::vector<Names>{{}, {}, {"Only"}}));
    EXPECT_FALSE(okEnabled);
}

}  // namespace
}  // namespace qltest
