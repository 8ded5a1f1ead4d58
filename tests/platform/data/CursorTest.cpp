#include <algorithm>

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
#include "platform/data/MemorySource.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"

using platform::SourceTable;
using namespace testdata;

namespace {

std::vector<std::shared_ptr<platform::Table>> EveryKindOfCities() {
    return {SourceTable::Open(Data().Shapefile()), SourceTable::Open(Data().GeoPackage(), "cities"),
            std::make_shared<platform::TableView>(SourceTable::Open(Data().Shapefile()), "FID < 5")};
}

}  // namespace

TEST(Cursor, TwoCursorsAndACountOnOneTableDoNotDisturbEachOther) {
    for (const auto& table : EveryKindOfCities()) {
        auto oslo = Where("NAME = 'Oslo'");
        auto big = Where("POP > 100000");
        auto first = table->Search(&oslo, false);
        auto second = table->Search(&big, false);
        const int name = table->FindField("NAME");
        std::vector<std::string> a, b;
        // Interleaved, with a count and a third search between the reads.
        while (true) {
            auto rowA = first->NextRow();
            EXPECT_EQ(table->RowCount(nullptr), 5);
            auto third = table->Search(nullptr, true);
            EXPECT_TRUE(third->NextRow());
            auto rowB = second->NextRow();
            if (rowA) a.push_back(rowA->Value(name).AsString());
            if (rowB) b.push_back(rowB->Value(name).AsString());
            if (!rowA && !rowB) break;
        }
        EXPECT_EQ(a, (std::vector<std::string>{"Oslo", "Oslo"}));
        EXPECT_EQ(b, (std::vector<std::string>{"Oslo", "Bergen"}));
    }
}

TEST(Cursor, MemoryLayerCursorsAreIndependentToo) {
    auto table = platform::OpenMemoryLayer(MemoryParts(), "parts");
    auto x = Where("KIND = 'x'");
    auto first = table->Search(&x, false);
    auto all = table->Search(nullptr, false);
    EXPECT_EQ(table->RowCount(&x), 2);
    int n = 0;
    while (all->NextRow()) ++n;
    EXPECT_EQ(n, 4);
    n = 0;
    while (first->NextRow()) ++n;
    EXPECT_EQ(n, 2);
}

TEST(Cursor, EndsWithNullAndStaysEnded) {
    auto table = SourceTable::Open(Data().Dbase());
    auto filter = Where("\"AGE\" > 100");
    auto cursor = table->Search(&filter, true);
    EXPECT_EQ(cursor->NextRow(), nullptr);
    EXPECT_EQ(cursor->NextRow(), nullptr);
}

TEST(Cursor, RecyclingReusesOneRowObjectAndPlainSearchesGiveNewOnes) {
    auto table = SourceTable::Open(Data().Shapefile());
    auto recycling = table->Search(nullptr, true);
    auto first = recycling->NextRow();
    const std::string firstName = first->Value(2).AsString();
    auto second = recycling->NextRow();
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(firstName, "Oslo");
    EXPECT_EQ(second->Value(2).AsString(), "Bergen");

    auto plain = table->Search(nullptr, false);
    auto kept = plain->NextRow();
    auto next = plain->NextRow();
    EXPECT_NE(kept.get(), next.get());
    EXPECT_EQ(kept->Value(2).AsString(), "Oslo");
}

TEST(Cursor, SubFieldsLimitWhatIsReadButKeepFullFieldIndices) {
    struct Case {
        const char* label;
        std::string subFields;
        std::string where;
        std::vector<std::string> fetched;  // by name; others Null
        bool shape;
    };
    const Case cases[] = {
        {"one field", "POP", "", {"POP"}, false},
        {"one field, clause on another", "POP", "\"NAME\" = 'Bergen'", {"POP"}, false},
        {"two fields with blanks", " NAME , AREA ", "", {"NAME", "AREA"}, false},
        {"shape asked for", "Shape", "", {}, true},
        {"all", "*", "", {"NAME", "POP", "AREA", "CODE", "FOUNDED", "BIG"}, true},
    };
    for (const auto& table : {SourceTable::Open(Data().Shapefile()), SourceTable::Open(Data().GeoPackage(), "cities")}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(table->DataSourceType() + ": " + c.label);
            auto filter = Where(c.where, c.subFields);
            auto cursor = table->Search(&filter, true);
            auto row = cursor->NextRow();
            ASSERT_TRUE(row);
            EXPECT_TRUE(row->HasOID());
            EXPECT_EQ(row->Value(0).ToDouble(), static_cast<double>(row->OID()));
            EXPECT_EQ(!row->Shape().IsEmpty(), c.shape);
            for (const char* name : {"NAME", "POP", "AREA", "CODE", "FOUNDED", "BIG"}) {
                const bool wanted = std::find(c.fetched.begin(), c.fetched.end(), name) != c.fetched.end();
                EXPECT_EQ(!row->Value(table->FindField(name)).IsNull(), wanted) << name;
            }
            if (!c.where.empty()) {
                EXPECT_EQ(row->Value(table->FindField("POP")).ToDouble(), 285000);
            }
        }
    }
}

TEST(Cursor, UnknownSubFieldIsRefused) {
    auto table = SourceTable::Open(Data().Shapefile());
    auto filter = Where("", "NOPE");
    EXPECT_EQ(ExpectComError([&] { table->Search(&filter, false); }).Number(), platform::E_INVALIDARG);
}

TEST(Cursor, KeepsItsTableAliveAfterTheCallerLetsGo) {
    std::shared_ptr<platform::Cursor> cursor;
    {
        auto table = SourceTable::Open(Data().Csv());
        cursor = table->Search(nullptr, false);
    }
    int n = 0;
    while (auto row = cursor->NextRow()) {
        EXPECT_EQ(row->Fields()->FieldCount(), 4);
        ++n;
    }
    EXPECT_EQ(n, 3);
}
