#include "platform/data/DataStatistics.h"

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
#include "platform/data/SourceTable.h"

using platform::DataStatistics;
using platform::SourceTable;
using namespace testdata;

namespace {

std::vector<std::string> Unique(platform::Table& table, const std::string& field, int* count = nullptr) {
    DataStatistics statistics;
    statistics.Field(field);
    statistics.Cursor(table.Search(nullptr, false));
    auto values = statistics.UniqueValues();
    if (count) *count = statistics.UniqueValueCount();
    std::vector<std::string> texts;
    while (true) {
        const platform::Variant value = values->Next();
        if (value.IsEmpty()) break;
        texts.push_back(value.ToText());
    }
    return texts;
}

}  // namespace

TEST(DataStatistics, GivesEachDistinctNonNullValueOnce) {
    struct Case {
        const char* label;
        std::string path;
        std::string layer;
        std::string field;
        std::vector<std::string> values;
    };
    const auto& d = Data();
    const Case cases[] = {
        {"duplicate text", d.Shapefile(), "", "NAME", {"Oslo", "Bergen", "Tromso", "Alta"}},
        {"integers with a null", d.Shapefile(), "", "POP", {"700000", "285000", "20000", "1000"}},
        {"dates", d.GeoPackage(), "cities", "FOUNDED", {"1950-05-17", "1970-01-01", "2000-02-29"}},
        {"small integers", d.Shapefile(), "", "code", {"3", "5", "7"}},
        {"object ids", d.Csv(), "", "FID", {"1", "2", "3"}},
        {"csv text", d.Csv(), "", "REGION", {"North", "South"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto table = SourceTable::Open(c.path, c.layer);
        int count = -1;
        EXPECT_EQ(Unique(*table, c.field, &count), c.values);
        EXPECT_EQ(count, static_cast<int>(c.values.size()));
    }
}

TEST(DataStatistics, CountAskedFirstGivesTheSameValues) {
    auto table = SourceTable::Open(Data().Shapefile());
    DataStatistics statistics;
    statistics.Field("NAME");
    statistics.Cursor(table->Search(nullptr, false));
    EXPECT_EQ(statistics.UniqueValueCount(), 4);
    EXPECT_EQ(statistics.UniqueValues()->Count(), 4);
}

TEST(DataStatistics, RefusesAnUnknownFieldOrAMissingCursor) {
    DataStatistics statistics;
    statistics.Field("NAME");
    EXPECT_EQ(ExpectComError([&] { statistics.UniqueValues(); }).Number(), platform::E_POINTER);
    statistics.Cursor(SourceTable::Open(Data().Shapefile())->Search(nullptr, false));
    statistics.Field("NOPE");
    EXPECT_EQ(ExpectComError([&] { statistics.UniqueValueCount(); }).Number(), platform::E_INVALIDARG);
}
