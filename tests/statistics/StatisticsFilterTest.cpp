#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StatisticsTestSupport.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/statistics/FieldQuoteStyle.h"

namespace statstest {
namespace {

using tessaly::FieldQuoteStyle;

TEST(FieldQuoteStyleTest, DataSourceTypeDecidesALayersStyle) {
    struct Case {
        const char* type;
        FieldQuoteStyle style;
    };
    for (const Case& c : {Case{"Personal Geodatabase Feature Class", FieldQuoteStyle::Brackets},
                          Case{"personal geodatabase feature class", FieldQuoteStyle::Quotations},
                          Case{"SDE Feature Class", FieldQuoteStyle::NotEnclosed},
                          Case{"SDE Feature Class (versioned)", FieldQuoteStyle::Quotations},
                          Case{"IMS Feature Class", FieldQuoteStyle::NotEnclosed},
                          Case{"ims Feature Class", FieldQuoteStyle::Quotations},
                          Case{"Shapefile Feature Class", FieldQuoteStyle::Quotations},
                          Case{"", FieldQuoteStyle::Quotations}}) {
        EXPECT_EQ(tessaly::QuoteStyleForDataSourceType(c.type), c.style) << c.type;
    }
}

TEST(FieldQuoteStyleTest, WorkspaceDescriptionDecidesATablesStyle) {
    struct Case {
        const char* description;
        FieldQuoteStyle style;
    };
    for (const Case& c : {Case{"Personal Geodatabase", FieldQuoteStyle::Brackets},
                          Case{"PERSONAL GEODATABASE", FieldQuoteStyle::Brackets},
                          Case{"A personal geodatabase copy", FieldQuoteStyle::Brackets},
                          Case{"SDE Database", FieldQuoteStyle::NotEnclosed},
                          Case{"sde Database", FieldQuoteStyle::Quotations},
                          Case{"ArcIMS Service", FieldQuoteStyle::NotEnclosed},
                          Case{"Shapefiles", FieldQuoteStyle::Quotations}}) {
        EXPECT_EQ(tessaly::QuoteStyleForWorkspaceDescription(c.description), c.style) << c.description;
    }
}

TEST(FieldQuoteStyleTest, KeywordsAndWrappedNames) {
    struct Case {
        FieldQuoteStyle style;
        const char* keyword;
        const char* wrapped;
    };
    for (const Case& c : {Case{FieldQuoteStyle::Brackets, "brackets", "[AREA]"},
                          Case{FieldQuoteStyle::NotEnclosed, "Not Enclosed", "\"AREA\""},
                          Case{FieldQuoteStyle::Quotations, "Quotations", "\"AREA\""}}) {
        EXPECT_STREQ(tessaly::FieldQuoteStyleKeyword(c.style), c.keyword);
        EXPECT_EQ(tessaly::WrapFieldName("AREA", c.style), c.wrapped);
    }
}

TEST(FieldQuoteStyleTest, IgnoredValuesClauseWritesNumbersThatReadBackTheSame) {
    struct Case {
        FieldQuoteStyle style;
        std::vector<platform::Variant> values;
        const char* clause;
    };
    const auto whole = platform::Variant::LongLong;
    for (const Case& c : {Case{FieldQuoteStyle::Brackets, {-9999, 0}, "[AREA] NOT IN (-9999, 0)"},
                          Case{FieldQuoteStyle::Quotations, {2.5}, "\"AREA\" <> 2.5"},
                          Case{FieldQuoteStyle::NotEnclosed, {1e20, 0.000001}, "area NOT IN (1E+20, 1E-06)"},
                          Case{FieldQuoteStyle::NotEnclosed, {1000, -0.125, 7}, "area NOT IN (1000, -0.125, 7)"},
                          Case{FieldQuoteStyle::Quotations, {whole(9007199254740993)}, "\"AREA\" <> 9007199254740993"},
                          Case{FieldQuoteStyle::Quotations, {0.1 + 0.2, 1234567.8901234567},
                               "\"AREA\" NOT IN (0.30000000000000004, 1234567.8901234567)"},
                          Case{FieldQuoteStyle::Quotations, {12345678901234567.0}, "\"AREA\" <> 12345678901234568"}}) {
        const std::string field = c.style == FieldQuoteStyle::NotEnclosed ? "area" : "AREA";
        EXPECT_EQ(tessaly::IgnoredValuesClause(field, c.style, c.values), c.clause);
    }
}

TEST(FieldQuoteStyleTest, NamesNotEnclosedAreQuotedWherePostgreSqlWouldReadAnotherName) {
    struct Case {
        const char* name;
        const char* wrapped;
    };
    for (const Case& c : {Case{"val", "val"}, Case{"depth_m2", "depth_m2"}, Case{"VAL", "\"VAL\""},
                          Case{"Depth", "\"Depth\""}, Case{"order", "\"order\""}, Case{"user", "\"user\""},
                          Case{"2nd", "\"2nd\""}, Case{"my field", "\"my field\""},
                          Case{"say\"hi", "\"say\"\"hi\""}, Case{"name", "name"}}) {
        EXPECT_EQ(tessaly::WrapFieldName(c.name, FieldQuoteStyle::NotEnclosed), c.wrapped) << c.name;
    }
}

class QuoteStyleOfDataTest : public StatisticsTest {};

TEST_F(QuoteStyleOfDataTest, RealDataGetTheirStyles) {
    EXPECT_EQ(tessaly::QuoteStyleOf(*Gauges()), FieldQuoteStyle::Quotations);
    EXPECT_EQ(tessaly::QuoteStyleOf(*Wells()), FieldQuoteStyle::Brackets);
    EXPECT_EQ(tessaly::QuoteStyleOf(*Readings()), FieldQuoteStyle::Quotations);
    auto notes = platform::StandaloneTable::Open("Notes", Data("wells.gpkg"), "flat");
    ASSERT_TRUE(notes->Valid()) << notes->OpenError();
    EXPECT_EQ(tessaly::QuoteStyleOf(*notes), FieldQuoteStyle::Brackets);
}

}  // namespace
}  // namespace statstest
