#include "platform/data/SelectionSet.h"

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"

using platform::SelectionSet;
using platform::SourceTable;
using namespace testdata;
namespace sel = platform::selectionresult;

TEST(SelectionSet, CombinesByMethod) {
    struct Case {
        const char* label;
        platform::ObjectIds before;
        std::string clause;  // "" selects every row
        int method;
        platform::ObjectIds after;
    };
    const Case cases[] = {
        {"new replaces", {1, 2}, "\"CODE\" = 3", sel::New, {0, 2, 4}},
        {"new without a filter takes every row", {1}, "", sel::New, {0, 1, 2, 3, 4}},
        {"add", {1}, "\"CODE\" = 3", sel::Add, {0, 1, 2, 4}},
        {"subtract", {0, 1, 2}, "\"CODE\" = 3", sel::Subtract, {1}},
        {"and keeps selected matches", {0, 1}, "\"CODE\" = 3", sel::And, {0}},
        {"xor flips matches", {0, 1}, "\"CODE\" = 3", sel::Xor, {1, 2, 4}},
        {"xor without a filter flips every row", {0, 1}, "", sel::Xor, {2, 3, 4}},
        {"matches nothing", {3}, "\"POP\" > 99999999", sel::New, {}},
    };
    auto table = SourceTable::Open(Data().Shapefile());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SelectionSet selection(table);
        for (auto id : c.before) selection.Add(id);
        auto filter = Where(c.clause);
        selection.Select(c.clause.empty() ? nullptr : &filter, c.method);
        EXPECT_EQ(selection.IDs(), c.after);
        EXPECT_EQ(selection.Count(), static_cast<std::int64_t>(c.after.size()));
    }
}

TEST(SelectionSet, SwitchingTwiceRestoresTheSelection) {
    SelectionSet selection(SourceTable::Open(Data().Csv()));
    selection.Add(2);
    selection.Select(nullptr, sel::Xor);
    selection.Select(nullptr, sel::Xor);
    EXPECT_EQ(selection.IDs(), (platform::ObjectIds{2}));
}

TEST(SelectionSet, RejectedClauseLeavesTheSelectionAsItWas) {
    SelectionSet selection(SourceTable::Open(Data().GeoPackage(), "cities"));
    selection.Add(1);
    auto bad = Where("(  )");
    EXPECT_EQ(ExpectComError([&] { selection.Select(&bad, sel::New); }).Number(), platform::E_FAIL);
    EXPECT_EQ(selection.IDs(), (platform::ObjectIds{1}));
    EXPECT_EQ(ExpectComError([&] { selection.Select(nullptr, 5); }).Number(), platform::E_INVALIDARG);
}

TEST(SelectionSet, SearchGivesTheSelectedRowsThatPassTheFilter) {
    auto table = SourceTable::Open(Data().Shapefile());
    SelectionSet selection(table);
    for (platform::ObjectId id : {0, 2, 3}) selection.Add(id);
    auto ignore = Where("\"POP\" <> 20000", "POP");
    auto cursor = selection.Search(&ignore, true);
    std::vector<std::string> pops;
    while (auto row = cursor->NextRow()) {
        pops.push_back(row->Value(3).ToText());
        EXPECT_TRUE(row->Value(2).IsNull()) << "only POP was asked for";
    }
    EXPECT_EQ(pops, (std::vector<std::string>{"700000"}));
    EXPECT_EQ(selection.Count(), 3) << "the count is the whole selection";
    EXPECT_EQ(Ids(*table, nullptr).size(), 5u);
}

TEST(SelectionSet, SearchIsASnapshotOfTheSelection) {
    SelectionSet selection(SourceTable::Open(Data().Dbase()));
    selection.Add(0);
    selection.Add(2);
    auto cursor = selection.Search(nullptr, false);
    selection.Clear();
    int n = 0;
    while (cursor->NextRow()) ++n;
    EXPECT_EQ(n, 2);
    EXPECT_EQ(selection.Search(nullptr, false)->NextRow(), nullptr);
}

TEST(SelectionSet, StaysWithinTheViewItSelectsFrom) {
    auto view = std::make_shared<platform::TableView>(SourceTable::Open(Data().Shapefile()), "\"CODE\" = 3");
    SelectionSet selection(view);
    selection.Select(nullptr, sel::New);
    EXPECT_EQ(selection.IDs(), (platform::ObjectIds{0, 2, 4}));
    selection.Select(nullptr, sel::Xor);
    EXPECT_EQ(selection.Count(), 0) << "flipping a full selection of the view leaves nothing";
    selection.Select(nullptr, sel::New);
    view->DefinitionExpression("\"NAME\" = 'Oslo'");
    selection.KeepOnlyTableRows();
    EXPECT_EQ(selection.IDs(), (platform::ObjectIds{0, 4}));
}
