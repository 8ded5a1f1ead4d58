// A dBASE table read by an open table after another program replaced it with
// these bytes (its handles were opened on a good file), and read again by a
// table opened afresh: every value of every row, and for each numeric field a
// search with a where clause, a count and the distinct values, as statistics
// read them. Damaged data must come back as ComError, never as a crash.
#include <cstdio>
#include <functional>
#include <string>

#include "FuzzGdal.h"
#include "FuzzSupport.h"
#include "platform/com/ComError.h"
#include "platform/data/DataStatistics.h"
#include "platform/data/Field.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/Row.h"
#include "platform/data/SourceTable.h"
#include "tests/support/GdalTestData.h"

namespace {

// NAME (C 10), VAL (N 12.3), N (N 6), three records: the table as first opened.
std::string GoodTable() {
    const std::string path = fuzzsupport::Folder() + "/good.dbf";
    {
        auto dataset = testsupport::Create(path, "ESRI Shapefile");
        OGRLayer& layer = testsupport::NewLayer(*dataset, "good", wkbNone);
        testsupport::AddField(layer, "NAME", OFTString, 10);
        testsupport::AddField(layer, "VAL", OFTReal, 12, 3);
        testsupport::AddField(layer, "N", OFTInteger, 6);
        for (int n = 1; const char* name : {"ann", "bob", "ann"}) {
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField("NAME", name);
            feature.SetField("VAL", 0.75 * (n + 1));
            feature.SetField("N", n++);
            if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("good table");
        }
    }
    return fuzzsupport::ReadAll(path);
}

void Read(platform::SourceTable& table) {
    const auto fields = table.Fields();
    // Every value of every row, as the table window reads them.
    auto rows = table.Search(nullptr, true);
    while (auto row = rows->NextRow())
        for (int i = 0; i < fields->FieldCount(); ++i) row->Value(i).ToText();
    for (int i = 0; i < fields->FieldCount(); ++i) {
        const auto field = fields->Field(i);
        using namespace platform::fieldtype;
        if (const int type = field->Type(); type != Double && type != Integer && type != SmallInteger && type != Single)
            continue;
        platform::QueryFilter filter;
        filter.WhereClause("\"" + field->Name() + "\" <> -9999");
        filter.SubFields(field->Name());
        auto cursor = table.Search(&filter, true);
        while (auto row = cursor->NextRow())
            if (!row->Value(i).IsNull()) (void)row->Value(i).ToDouble();
        table.RowCount(&filter);
        platform::DataStatistics statistics;
        statistics.Field(field->Name());
        statistics.Cursor(table.Search(nullptr, false));
        statistics.UniqueValueCount();
    }
}

void ReadQuietly(const std::function<void()>& read) {
    try {
        read();
    } catch (const platform::ComError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::QuietGdal();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string good = GoodTable();
    const std::string path =
        fuzzsupport::WriteInput("table.dbf", reinterpret_cast<const std::uint8_t*>(good.data()), good.size());
    std::shared_ptr<platform::SourceTable> opened;
    ReadQuietly([&] {
        opened = platform::SourceTable::Open(path);
        Read(*opened);
    });
    const std::string replacement = fuzzsupport::WriteInput("replacement.dbf", data, size);
    std::rename(replacement.c_str(), path.c_str());
    if (opened) ReadQuietly([&] { Read(*opened); });
    ReadQuietly([&] { Read(*platform::SourceTable::Open(path)); });
    return 0;
}
