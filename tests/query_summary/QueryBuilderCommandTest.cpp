#include <gtest/gtest.h>

#include "QueryBuilderTestSupport.h"
#include "platform/data/SourceTable.h"
#include "platform/map/ContentsView.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/ItemSet.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"

namespace qstest {
namespace {

using Strings = std::vector<std::string>;

TEST_F(QueryBuilderTest, ListsValidFeatureLayersAtAnyDepthThenValidTablesWithNoLineChosen) {
    auto group = std::make_shared<platform::GroupLayer>("Land");
    group->Add(Parcels());
    group->Add(Missing());
    AddToMap({Owners(), group, Sites(), platform::StandaloneTable::Open("Gone", Data("gone.dbf"))});
    ASSERT_TRUE(Query([](QueryDialog& dialog) {
        EXPECT_EQ(dialog.Caption(), "Select By Attributes");
        EXPECT_EQ(Lines(dialog.lbxThemes), (Strings{"Parcels", "Sites", "Owners"}));
        EXPECT_EQ(dialog.lbxThemes.ListIndex(), -1);
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features = [ - No Theme - ]");
        EXPECT_EQ(dialog.txtQuery.Text(), "(  )");
        EXPECT_EQ(dialog.txtQuery.SelStart(), 2);
        EXPECT_EQ(dialog.cmdClear.Caption(), "Clear Selected");
        EXPECT_TRUE(dialog.optSelected.Value());
        for (platform::Control* off : std::initializer_list<platform::Control*>{
                 &dialog.cmdOpenTable, &dialog.cmdOpenStats, &dialog.cmdSwitchSel, &dialog.cmdVerify, &dialog.txtQuery,
                 &dialog.lbxFields, &dialog.lbxValues, &dialog.cmdUpdate, &dialog.cmdNewSet, &dialog.cmdAddToSet,
                 &dialog.cmdSelFromSet, &dialog.cmdSubtractFromSet, &dialog.cmdClear, &dialog.cmdEquals, &dialog.cmdNot})
            EXPECT_FALSE(off->Enabled()) << off->Name();
        for (platform::Control* on : std::initializer_list<platform::Control*>{
                 &dialog.cmdClearQuery, &dialog.cmdLoadQJQuery, &dialog.cmdCancel, &dialog.lbxThemes,
                 &dialog.optSelected, &dialog.optFiltered})
            EXPECT_TRUE(on->Enabled()) << on->Name();
    }));
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QueryBuilderTest, ChoosesTheSelectedFeatureLayerEvenInsideAGroup) {
    auto sites = Sites();
    auto group = std::make_shared<platform::GroupLayer>("Water");
    group->Add(sites);
    AddToMap({Parcels(), group, Owners()});
    SelectInContents(sites);
    Query([](QueryDialog& dialog) {
        EXPECT_EQ(dialog.lbxThemes.ListIndex(), 1);
        EXPECT_EQ(Lines(dialog.lbxFields), (Strings{"fid", "NAME", "DEPTH", "YIELD", "VISITED"}));
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features highlighted = 0");
        for (platform::Control* on : std::initializer_list<platform::Control*>{
                 &dialog.cmdOpenTable, &dialog.cmdOpenStats, &dialog.cmdSwitchSel, &dialog.cmdVerify, &dialog.txtQuery,
                 &dialog.lbxFields, &dialog.cmdNewSet, &dialog.cmdAddToSet, &dialog.cmdClear, &dialog.cmdParentheses})
            EXPECT_TRUE(on->Enabled()) << on->Name();
        EXPECT_FALSE(dialog.cmdUpdate.Enabled());
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QueryBuilderTest, ChoosesASelectedTable) {
    auto owners = Owners();
    AddToMap({Parcels(), owners});
    SelectInContents(owners);
    Query([](QueryDialog& dialog) { EXPECT_EQ(dialog.lbxThemes.ListIndex(), 1); });
}

struct UnchosenCase {
    const char* name;
    std::function<std::shared_ptr<platform::HostObject>(QueryBuilderTest&, const std::shared_ptr<platform::FeatureLayer>&,
                                                          const std::shared_ptr<platform::GroupLayer>&,
                                                          const std::shared_ptr<platform::FeatureLayer>&)>
        selected;
};

class NothingChosen : public QueryBuilderTest, public ::testing::WithParamInterface<UnchosenCase> {
public:
    std::shared_ptr<platform::Map> Focus() const { return FocusMap(); }
};

TEST_P(NothingChosen, LeavesTheThemeListWithoutAChoice) {
    auto parcels = Parcels();
    auto lost = Missing();
    auto group = std::make_shared<platform::GroupLayer>("Land");
    group->Add(Sites());
    AddToMap({parcels, group, lost});
    SelectInContents(GetParam().selected(*this, parcels, group, lost));
    Query([](QueryDialog& dialog) {
        EXPECT_EQ(dialog.lbxThemes.ListCount(), 2);
        EXPECT_EQ(dialog.lbxThemes.ListIndex(), -1);
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

INSTANTIATE_TEST_SUITE_P(
    Selections, NothingChosen,
    ::testing::Values(
        UnchosenCase{"Nothing", [](auto&, auto&, auto&, auto&) { return std::shared_ptr<platform::HostObject>(); }},
        UnchosenCase{"TheMap", [](auto& test, auto&, auto&, auto&) -> std::shared_ptr<platform::HostObject> {
                         return static_cast<NothingChosen&>(test).Focus();
                     }},
        UnchosenCase{"AGroupLayer", [](auto&, auto&, auto& group, auto&) -> std::shared_ptr<platform::HostObject> {
                         return group;
                     }},
        UnchosenCase{"AnInvalidLayer", [](auto&, auto&, auto&, auto& lost) -> std::shared_ptr<platform::HostObject> {
                         return lost;
                     }},
        UnchosenCase{"SeveralItems",
                     [](auto&, auto& parcels, auto& group, auto&) -> std::shared_ptr<platform::HostObject> {
                         return std::make_shared<platform::ItemSet>(
                             std::vector<std::shared_ptr<platform::HostObject>>{parcels, group});
                     }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QueryBuilderTest, TwoCandidatesOfOneNameAreTwoLinesEachWithItsOwnObject) {
    auto first = Parcels("Same");
    auto second = Owners("Same");
    AddToMap({first, second});
    Select(*second, {0, 1});
    Query([](QueryDialog& dialog) {
        EXPECT_EQ(Lines(dialog.lbxThemes), (Strings{"Same", "Same"}));
        dialog.lbxThemes.UserClick(1);
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features highlighted = 2");
        dialog.lbxThemes.UserClick(0);
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features highlighted = 0");
    });
}

TEST_F(QueryBuilderTest, ListsAtMost5001CandidatesAndAMoreReportsTheClickWithoutShowing) {
    const auto source = platform::SourceTable::Open(Data("parcels.shp"));
    for (int i = 0; i < 5001; ++i) FocusMap()->AddLayer(platform::FeatureLayer::FromTable(source, "L"));
    EXPECT_TRUE(Query([](QueryDialog& dialog) { EXPECT_EQ(dialog.lbxThemes.ListCount(), 5001); }));
    EXPECT_TRUE(Reports().empty());

    FocusMap()->AddLayer(platform::FeatureLayer::FromTable(source, "L"));
    EXPECT_FALSE(Query([](QueryDialog&) {}));
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_NE(Reports()[0].find("ICommand_OnClick cmdSelByAttTessaly"), std::string::npos) << Reports()[0];
    EXPECT_NE(Reports()[0].find("\r\n\t9\r\n"), std::string::npos) << Reports()[0];
}

TEST_F(QueryBuilderTest, KeepsTheQueryTheModeAndTheListsBetweenClicks) {
    AddToMap({Parcels(), Sites()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.optFiltered.UserClick();
        TypeQuery(dialog, "\"ZONE\" = 'R1'");
        dialog.lbxFields.UserClick(1);
        dialog.cmdUpdate.UserClick();
    });
    Query([](QueryDialog& dialog) {
        EXPECT_EQ(dialog.txtQuery.Text(), "\"ZONE\" = 'R1'");
        EXPECT_TRUE(dialog.optFiltered.Value());
        EXPECT_EQ(dialog.cmdClear.Caption(), "Clear Filter");
        EXPECT_EQ(dialog.lbxThemes.ListIndex(), -1);
        EXPECT_EQ(dialog.lbxValues.ListCount(), 3) << "the values stay until a theme is chosen";
        EXPECT_TRUE(dialog.txtQuery.Enabled());
        EXPECT_FALSE(dialog.cmdOpenTable.Enabled());
        EXPECT_EQ(dialog.lblNumSelected.Caption(), "Number of features = [ - No Theme - ]");
        dialog.lbxThemes.UserClick(1);
        EXPECT_EQ(dialog.txtQuery.Text(), "\"ZONE\" = 'R1'") << "another theme keeps the query";
        EXPECT_EQ(dialog.lbxValues.ListCount(), 0);
    });
}

TEST_F(QueryBuilderTest, ButtonsLeftEnabledWithoutAThemeDoNothing) {
    auto parcels = Parcels();
    AddToMap({parcels});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.lbxFields.UserClick(1);
        dialog.cmdUpdate.UserClick();
    });
    Query([&](QueryDialog& dialog) {
        ASSERT_TRUE(dialog.cmdNewSet.Enabled());
        TypeQuery(dialog, "\"UNITS\" > 0");
        dialog.cmdNewSet.UserClick();
        dialog.cmdClear.UserClick();
        dialog.lbxFields.UserClick(1);
        dialog.cmdUpdate.UserClick();
        EXPECT_EQ(Lines(dialog.lbxValues), (std::vector<std::string>{"'c1'", "'C2'", "'R1'"})) << "the list stays";
        EXPECT_EQ(dialog.txtQuery.Text(), "\"UNITS\" > 0");
    });
    EXPECT_TRUE(Selected(*parcels).empty());
    EXPECT_TRUE(Reports().empty()) << Reports().front();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(QueryBuilderTest, TheCloseBoxUnloadsAndTheNextClickStartsAfresh) {
    AddToMap({Parcels()});
    Query([](QueryDialog& dialog) {
        dialog.lbxThemes.UserClick(0);
        dialog.optFiltered.UserClick();
        TypeQuery(dialog, "\"ZONE\" = 'R1'");
        dialog.UserClose();
    });
    Query([](QueryDialog& dialog) {
        EXPECT_EQ(dialog.txtQuery.Text(), "(  )");
        EXPECT_TRUE(dialog.optSelected.Value());
        EXPECT_EQ(dialog.lbxFields.ListCount(), 0);
        EXPECT_EQ(dialog.lbxThemes.ListCount(), 1);
    });
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(QueryBuilderTest, TheKeptDialogGoesWithItsCommand) {
    AddToMap({Parcels()});
    std::weak_ptr<platform::Form> kept;
    Query([&](QueryDialog& dialog) { kept = dialog.weak_from_this(); });
    ASSERT_FALSE(kept.expired());
    EndCommand();
    EXPECT_TRUE(kept.expired());
    EXPECT_TRUE(Reports().empty());
}

}  // namespace
}  // namespace qstest
