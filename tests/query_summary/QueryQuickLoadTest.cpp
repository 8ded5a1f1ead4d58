#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "QueryBuilderTestSupport.h"
#include "platform/map/FeatureLayer.h"
#include "src/quickload_media/tessaly_QuickJumpDialog.h"

namespace qstest {
namespace {

using Strings = std::vector<std::string>;
using Picker = tessaly::tessaly_QuickJumpDialog;

class QuickLoadQueryTest : public QueryBuilderTest {
protected:
    QuickLoadQueryTest() {
        parcels_ = Parcels();
        AddToMap({parcels_});
        PlaceDocument();
    }

    void WriteQuickLoad(const std::string& text) const {
        std::ofstream(Folder() / "QuickLoad.txt", std::ios::binary) << text;
    }

    // Presses "QuickLoad Query" with the theme chosen and the query `before`;
    // `user` plays the picker. Returns the query text afterwards.
    std::string LoadQuery(const std::function<void(Picker&)>& user, const std::string& before = "(  )") {
        ui_->WhenModal("tessaly_QuickJumpDialog", [&](platform::Form& form) {
            auto& picker = dynamic_cast<Picker&>(form);
            user(picker);
            if (picker.IsVisible()) picker.cmdCancel.UserClick();
        });
        std::string after;
        Query([&](QueryDialog& dialog) {
            dialog.lbxThemes.UserClick(0);
            TypeQuery(dialog, before);
            dialog.cmdLoadQJQuery.UserClick();
            after = dialog.txtQuery.Text();
        });
        return after;
    }

    std::shared_ptr<platform::FeatureLayer> parcels_;
};

const char* const kFile =
    "<Layer>\r\nRoads\r\nlayers\\roads.tlyr\r\n"
    "<Query>\r\nResidential\r\n\"ZONE\" = 'R1'\r\n"
    "<Bookmark>\r\nHarbour\r\n1\r\n2\r\n3\r\n4\r\n"
    "<Query>\r\nBig parcels\r\n\"AREA\" > 100\r\n";

TEST_F(QuickLoadQueryTest, WithoutAQuickLoadFileSaysWhereItShouldBe) {
    EXPECT_EQ(LoadQuery([](Picker&) { ADD_FAILURE() << "no picker without a file"; }, "kept"), "kept");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text,
              "Unable to find Tessaly 'QuickLoad.txt' file.  File should be located in the same directory as the "
              "ArcGIS MxD file.\r\n\r\nBailing out...");
    EXPECT_EQ(Boxes()[0].title, "QuickLoad Editor Cancelled:");
    EXPECT_EQ(Boxes()[0].style, 64);
}

TEST_F(QuickLoadQueryTest, ThePickerOffersOnlyTheSavedQueriesAndOkReplacesTheWholeQuery) {
    WriteQuickLoad(kFile);
    const std::string loaded = LoadQuery([](Picker& picker) {
        EXPECT_TRUE(picker.optQueries.Value());
        EXPECT_TRUE(picker.optQueries.Enabled());
        EXPECT_FALSE(picker.optViews.Enabled());
        EXPECT_FALSE(picker.optExtents.Enabled());
        EXPECT_FALSE(picker.optLayers.Enabled());
        Strings lines;
        for (int i = 0; i < picker.lbxList.ListCount(); ++i) lines.push_back(picker.lbxList.List(i));
        EXPECT_EQ(lines, (Strings{"Residential", "Big parcels"}));
        EXPECT_FALSE(picker.cmdOK.Enabled());
        picker.lbxList.UserClick(1);
        picker.cmdOK.UserClick();
    }, "\"ZONE\" = 'C2'");
    EXPECT_EQ(loaded, "\"AREA\" > 100");
    EXPECT_TRUE(Selected(*parcels_).empty()) << "a loaded query is not applied";
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QuickLoadQueryTest, CancelLeavesTheQueryAsItWas) {
    WriteQuickLoad(kFile);
    EXPECT_EQ(LoadQuery([](Picker& picker) {
                  picker.lbxList.UserClick(0);
                  picker.cmdCancel.UserClick();
              }, "kept"),
              "kept");
}

TEST_F(QuickLoadQueryTest, ADoubleClickBelowTheLinesLoadsNothing) {
    WriteQuickLoad(kFile);
    EXPECT_EQ(LoadQuery([](Picker& picker) { picker.lbxList.UserDoubleClick(-1); }, "kept"), "kept");
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QuickLoadQueryTest, AFileWithoutQueriesOpensAnEmptyPicker) {
    WriteQuickLoad("<Bookmark>\r\nHarbour\r\n1\r\n2\r\n3\r\n4\r\n");
    int lines = -1;
    LoadQuery([&](Picker& picker) { lines = picker.lbxList.ListCount(); });
    EXPECT_EQ(lines, 0);
}

TEST_F(QuickLoadQueryTest, AFileEndingInsideAnEntryIsReportedBeforeThePickerShows) {
    WriteQuickLoad("<Query>\r\nUnfinished\r\n");
    EXPECT_EQ(LoadQuery([](Picker&) { ADD_FAILURE() << "no picker for a broken file"; }, "kept"), "kept");
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_NE(Reports()[0].find("cmdLoadQJQuery_Click tessaly_ModQueryDialog"), std::string::npos) << Reports()[0];
    EXPECT_NE(Reports()[0].find("\r\n\t62\r\n"), std::string::npos) << Reports()[0];
}

}  // namespace
}  // namespace qstest
