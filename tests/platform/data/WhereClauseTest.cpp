#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
#include "platform/data/MemorySource.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"

using platform::SourceTable;
using namespace testdata;

namespace {

struct Source {
    const char* label;
    std::string path;
    std::string layer;
};

std::vector<Source> Sources() {
    const auto& d = Data();
    return {{"shapefile", d.Shapefile(), ""},
            {"geopackage", d.GeoPackage(), "cities"},
            {"dbase", d.Dbase(), ""},
            {"csv", d.Csv(), ""}};
}

std::shared_ptr<SourceTable> OpenSource(const Source& s) { return SourceTable::Open(s.path, s.layer); }

}  // namespace

TEST(WhereClause, EachSourceTakesItsOwnFieldQuoting) {
    struct Case {
        const char* label;
        std::string path;
        std::string layer;
        std::string clause;
        std::int64_t count;
    };
    const auto& d = Data();
    const Case cases[] = {
        {"shapefile quoted", d.Shapefile(), "", "\"NAME\" = 'Oslo'", 2},
        {"shapefile number with decimals", d.Shapefile(), "", "\"AREA\" <> 454.03 AND \"AREA\" <> 10.5", 2},
        {"shapefile generated ignore filter", d.Shapefile(), "", "\"POP\" <> -9999 AND \"POP\" <> 1E+20", 4},
        {"geopackage brackets", d.GeoPackage(), "cities", "[NAME] = 'Oslo'", 2},
        {"geopackage double quotes", d.GeoPackage(), "cities", "\"NAME\" = 'Bergen'", 1},
        {"geopackage bare", d.GeoPackage(), "cities", "POP > 100000", 2},
        {"dbase quoted", d.Dbase(), "", "\"AGE\" > 40", 1},
        {"csv quoted", d.Csv(), "", "\"REGION\" = 'North'", 2},
        {"query builder form", d.Shapefile(), "", "( \"CODE\" = 3) AND ( \"POP\" > 500 )", 2},
        {"not", d.Shapefile(), "", "(\"CODE\" = 3) AND NOT (\"NAME\" = 'Oslo')", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto table = SourceTable::Open(c.path, c.layer);
        auto filter = Where(c.clause);
        EXPECT_EQ(table->RowCount(&filter), c.count);
        EXPECT_EQ(static_cast<std::int64_t>(Ids(*table, &filter).size()), c.count);
    }
}

TEST(WhereClause, MayNameTheObjectIdField) {
    auto shapefile = SourceTable::Open(Data().Shapefile());
    auto byFid = Where("\"FID\" >= 3");
    EXPECT_EQ(Ids(*shapefile, &byFid), (std::vector<platform::ObjectId>{3, 4}));
    auto lower = Where("fid = 1");
    EXPECT_EQ(Ids(*shapefile, &lower), (std::vector<platform::ObjectId>{1}));

    auto geopackage = SourceTable::Open(Data().GeoPackage(), "cities");
    auto byColumn = Where("[fid] = 2");
    EXPECT_EQ(Ids(*geopackage, &byColumn), (std::vector<platform::ObjectId>{2}));

    auto csv = SourceTable::Open(Data().Csv());
    auto csvFid = Where("FID = 1");
    EXPECT_EQ(csv->RowCount(&csvFid), 1);
}

TEST(WhereClause, RejectedClauseFailsWithTheGenericFailureOnEveryKindAndEveryCall) {
    // The query builder's untouched text, an unbalanced quote, an unknown field.
    const std::vector<std::string> clauses = {"(  )", "\"NAME\" = 'O'Neil'", "NOSUCHFIELD = 1"};
    for (const auto& source : Sources()) {
        for (const auto& clause : clauses) {
            SCOPED_TRACE(std::string(source.label) + ": " + clause);
            auto table = OpenSource(source);
            auto filter = Where(clause);
            auto search = ExpectComError([&] { table->Search(&filter, false); });
            EXPECT_EQ(search.Number(), platform::E_FAIL);
            EXPECT_FALSE(search.Description().empty());
            EXPECT_EQ(ExpectComError([&] { table->RowCount(&filter); }).Number(), platform::E_FAIL);
            platform::TableView view(table);
            EXPECT_EQ(ExpectComError([&] { view.DefinitionExpression(clause); }).Number(), platform::E_FAIL);
            EXPECT_EQ(view.DefinitionExpression(), "");
        }
    }
}

TEST(WhereClause, BracketsAreRejectedWhereTheSourceDoesNotTakeThem) {
    auto shapefile = SourceTable::Open(Data().Shapefile());
    auto filter = Where("[NAME] = 'Oslo'");
    EXPECT_EQ(ExpectComError([&] { shapefile->RowCount(&filter); }).Number(), platform::E_FAIL);
}

TEST(WhereClause, MemoryLayerRejectsBadClausesAndStaysUsable) {
    auto table = platform::OpenMemoryLayer(MemoryParts(), "parts");
    auto bad = Where("(  )");
    EXPECT_EQ(ExpectComError([&] { table->Search(&bad, false); }).Number(), platform::E_FAIL);
    EXPECT_EQ(table->RowCount(nullptr), 4) << "the shared layer keeps no filter behind";
    auto good = Where("KIND = 'x'");
    EXPECT_EQ(table->RowCount(&good), 2);
    EXPECT_EQ(table->RowCount(nullptr), 4);
}

TEST(TableView, AppliesItsDefinitionExpressionJoinedWithTheFilter) {
    for (const auto& source : {Source{"shapefile", Data().Shapefile(), ""}, Source{"geopackage", Data().GeoPackage(), "cities"}}) {
        SCOPED_TRACE(source.label);
        auto table = OpenSource(source);
        platform::TableView view(table);
        view.DefinitionExpression("CODE = 3");
        EXPECT_EQ(view.RowCount(nullptr), 3);
        EXPECT_EQ(table->RowCount(nullptr), 5) << "the raw table is without it";
        auto filter = Where("POP > 500 OR POP IS NULL");
        EXPECT_EQ(view.RowCount(&filter), 3);
        auto orFilter = Where("NAME = 'Bergen' OR NAME = 'Alta'");
        EXPECT_EQ(view.RowCount(&orFilter), 0) << "an OR in the filter must not escape the expression";
        EXPECT_EQ(Texts(Column(view, "NAME")), (std::vector<std::string>{"Oslo", "Tromso", "Oslo"}));
        view.DefinitionExpression("");
        EXPECT_EQ(view.RowCount(nullptr), 5);
    }
}

TEST(TableView, RejectedExpressionKeepsTheOldOne) {
    platform::TableView view(SourceTable::Open(Data().Shapefile()));
    view.DefinitionExpression("\"CODE\" = 3");
    EXPECT_EQ(ExpectComError([&] { view.DefinitionExpression("() AND (\"POP\" > 1)"); }).Number(), platform::E_FAIL);
    EXPECT_EQ(view.DefinitionExpression(), "\"CODE\" = 3");
    EXPECT_EQ(view.RowCount(nullptr), 3);
}

TEST(TableView, AnUncheckedExpressionFromADocumentFailsAtTheFirstSearch) {
    platform::TableView view(SourceTable::Open(Data().Shapefile()), "(  )");
    EXPECT_EQ(ExpectComError([&] { view.RowCount(nullptr); }).Number(), platform::E_FAIL);
    EXPECT_EQ(ExpectComError([&] { view.Search(nullptr, true); }).Number(), platform::E_FAIL);
}

TEST(TableView, ExtentCoversOnlyTheRowsItShows) {
    platform::TableView view(SourceTable::Open(Data().Shapefile()), "\"NAME\" = 'Oslo'");
    auto extent = view.Extent();
    EXPECT_DOUBLE_EQ(extent.XMin(), 10.75);
    EXPECT_DOUBLE_EQ(extent.XMax(), 10.80);
    EXPECT_DOUBLE_EQ(extent.YMax(), 59.95);
}

// OGR SQL compares shapefile text without regard to letter case and cannot
// compare a date column that holds a Null; the answers here are exact.
TEST(WhereClause, ShapefileTextAndDatesCompareExactly) {
    struct Case {
        const char* clause;
        std::int64_t count;
    };
    const Case cases[] = {
        {"\"NAME\" = 'Oslo'", 2},
        {"\"NAME\" = 'oslo'", 0},
        {"\"NAME\" <> 'oslo'", 5},
        {"\"NAME\" LIKE 'o%'", 0},
        {"\"NAME\" LIKE 'O%'", 2},
        {"\"FOUNDED\" = '1950-05-17'", 2},
        {"\"FOUNDED\" = '1950/05/17'", 2},
        {"\"FOUNDED\" > '1960-01-01' AND \"POP\" > 1000", 2},
        {"\"FOUNDED\" IS NULL", 1},
        {"FID = 1 AND \"NAME\" = 'Bergen'", 1},
    };
    auto shapefile = SourceTable::Open(Data().Shapefile());
    for (const Case& c : cases) {
        auto filter = Where(c.clause);
        EXPECT_EQ(shapefile->RowCount(&filter), c.count) << c.clause;
        std::int64_t read = 0;
        auto cursor = shapefile->Search(&filter, true);
        while (cursor->NextRow()) ++read;
        EXPECT_EQ(read, c.count) << c.clause;
    }
}

TEST(WhereClause, AClauseCannotLeaveItsParenthesesOrHoldASecondStatement) {
    for (const Source& s : Sources()) {
        if (s.label != std::string("shapefile") && s.label != std::string("geopackage")) continue;
        auto table = OpenSource(s);
        for (const char* clause : {"1=1) OR (1=1", "\"POP\" > 0;", "\"POP\" > 0; SELECT 1", "'open", "\"POP\" > (0"}) {
            auto filter = Where(clause);
            EXPECT_EQ(ExpectComError([&] { table->RowCount(&filter); }).Number(), platform::E_FAIL)
                << s.label << ": " << clause;
            platform::TableView view(table, "\"POP\" > 0");
            EXPECT_EQ(ExpectComError([&] { view.Search(&filter, false); }).Number(), platform::E_FAIL)
                << s.label << ": " << clause;
        }
        auto quoted = Where("\"NAME\" <> 'a;b)'");
        EXPECT_EQ(table->RowCount(&quoted), 5) << s.label;
    }
}
