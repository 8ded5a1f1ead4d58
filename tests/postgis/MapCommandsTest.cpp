#include <gtest/gtest.h>

#include "PostgisTestSupport.h"
#include "platform/com/ComError.h"
#include "platform/data/Geometry.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/Row.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Graphics.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableWindow.h"
#include "src/core/CommandTable.h"

namespace pgtest {
namespace {

namespace info = tessaly::info;
using Names = std::vector<std::string>;

std::vector<std::string> ContentsNames(const platform::Map& map) {
    std::vector<std::string> names;
    auto layers = map.Layers(nullptr, true);
    layers->Reset();
    while (auto layer = layers->Next()) names.push_back(layer->Name());
    for (std::int32_t i = 0; i < map.StandaloneTableCount(); ++i) names.push_back(map.StandaloneTable(i)->Name());
    return names;
}

TEST_F(PostgisTest, ADocumentOpensItsLayersAndTablesFromTheServerAndAMissingTableIsInvalid) {
    OpenLesson(true);
    for (const char* name : {"Towns", "Wells", "Land Use", "Survey Sites"}) {
        auto layer = Layer(name);
        EXPECT_TRUE(layer->Valid()) << name;
        EXPECT_EQ(layer->DataSourceType(), "SDE Feature Class") << name;
    }
    EXPECT_EQ(Layer("Towns")->RowCount(nullptr), std::stoll(Column("SELECT count(*) FROM towns").at(0)));
    EXPECT_TRUE(Table("Annual Rainfall")->Valid());
    EXPECT_TRUE(Table("Samples")->Valid());
    auto gone = Table("Gone");
    EXPECT_FALSE(gone->Valid());
    EXPECT_NE(gone->OpenError().find("no_such_table"), std::string::npos) << gone->OpenError();
}

TEST_F(PostgisTest, OpenTableShowsAWindowForEachSelectedLayerAndTable) {
    OpenLesson();
    auto sites = Layer("Survey Sites");
    auto samples = Table("Samples");
    SelectItems({sites, samples});
    Click(*Command(info::OpenTable));
    const auto shown = host_->EventsOf(Event::TableWindowShown);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].object, sites.get());
    EXPECT_EQ(shown[1].object, samples.get());
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(PostgisTest, SelectAllSwitchAndClearWorkOnLayersAndTables) {
    OpenLesson();
    auto sites = Layer("Survey Sites");
    auto samples = Table("Samples");
    SelectItems({sites, samples});
    Click(*Command(info::cmdSelectAll));
    EXPECT_EQ(Selected(*sites), ToIds(Column("SELECT id FROM \"SurveySites\" ORDER BY id")));
    EXPECT_EQ(Selected(*samples), ToIds(Column("SELECT id FROM field.samples ORDER BY id")));

    Select(*sites, {2, 5});
    Click(*Command(info::cmdSelectSwitch));
    EXPECT_EQ(Selected(*sites), ToIds(Column("SELECT id FROM \"SurveySites\" WHERE id NOT IN (2, 5) ORDER BY id")));
    EXPECT_EQ(Selected(*samples), Ids{});

    Click(*Command(info::cmdSelectNone));
    EXPECT_EQ(Selected(*sites), Ids{});
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(PostgisTest, SelectByGraphicsSelectsTheFeaturesUnderTheSelectedGraphic) {
    OpenLesson();
    const char* area = "POLYGON ((483000 4754000, 491000 4754000, 491000 4757500, 483000 4757500, 483000 4754000))";
    const auto element = std::make_shared<platform::Element>(platform::Geometry::FromWkt(area));
    FocusMap()->GraphicsLayer()->AddElement(element);
    FocusMap()->GraphicsLayer()->SelectElement(element);
    auto sites = Layer("Survey Sites");
    auto wells = Layer("Wells");
    SelectItems({sites, wells});
    Click(*Command(info::cmdSelByGraphic));
    auto inside = [&](const std::string& column) {
        return "ST_Intersects(" + column + ", ST_GeomFromText('" + area + "', 26915))";
    };
    EXPECT_EQ(Selected(*sites), ToIds(Column("SELECT id FROM \"SurveySites\" WHERE " + inside("geom") + " ORDER BY id")));
    EXPECT_EQ(Selected(*wells),
              ToIds(Column("SELECT ogc_fid FROM wells WHERE " + inside("wkb_geometry") + " ORDER BY ogc_fid")));
    EXPECT_FALSE(Selected(*sites).empty());
    EXPECT_TRUE(Reports().empty()) << Reports().front();
}

TEST_F(PostgisTest, DeleteLayersRemovesTheSelectedLayerAndTableAfterConfirmation) {
    OpenLesson();
    SelectItems({Layer("Wells"), Table("Samples")});
    Click(*Command(info::cmdDeleteSelLayers));
    ASSERT_EQ(ui_->MessageBoxes().size(), 1u);
    EXPECT_EQ(ContentsNames(*FocusMap()), (Names{"Towns", "Land Use", "Survey Sites", "Annual Rainfall"}));
}

}  // namespace
}  // namespace pgtest

namespace pgtest {
namespace {

TEST_F(PostgisTest, AClauseTheServerRejectsFailsAloneAndTheNextReadsWork) {
    OpenLesson();
    auto sites = Layer("Survey Sites");
    for (int attempt = 0; attempt < 3; ++attempt) {
        platform::QueryFilter bad;
        bad.WhereClause("no_such_column = 1");
        try {
            sites->RowCount(&bad);
            ADD_FAILURE() << "the clause was accepted";
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Number(), static_cast<std::int32_t>(0x80004005));
            EXPECT_NE(error.Description().find("no_such_column"), std::string::npos) << error.Description();
        }
        platform::QueryFilter good;
        good.WhereClause("\"VAL\" > 600");
        EXPECT_EQ(sites->RowCount(&good), 3);
        auto cursor = sites->Search(&good, false);
        int rows = 0;
        while (cursor->NextRow()) ++rows;
        EXPECT_EQ(rows, 3);
    }
}

}  // namespace
}  // namespace pgtest
