// Where clauses against a view that shows 2 of the trial table's 12 rows, in
// OGR SQL and in a GeoPackage (SQLite): whatever the clause, the
// search is refused or returns only rows the view shows.
//
// The first byte picks the source. Each further byte below 0x80 adds a piece
// of SQL from the list below (names, literals, quotes, escapes, comments,
// parentheses, key words); a byte from 0x80 on stands for itself, so any text
// can still be written.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "FuzzGdal.h"
#include "FuzzSupport.h"
#include "platform/com/ComError.h"
#include "platform/data/MemorySource.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"
#include "tests/support/TrialTable.h"

namespace {

const char* const kPieces[] = {
    "\"NAME\"", "\"N\"", "\"GROUP\"", "\"DAY\"", "\"Höhe\"", "NAME", "N", "GROUP", "DAY", "FID", "fid",
    " = ", " <> ", " < ", " > ", " + ", " - ", " * ", " / ", " % ", " || ", ", ",
    "(", ")", "((", "))", ") OR (", ") AND (", "1=1", "1", "0", "-1", "2.5", "1e3", "NULL",
    " AND ", " OR ", " NOT ", " IS ", " IS NULL", " IN (", " BETWEEN ", " LIKE ", " ESCAPE ", " ILIKE ",
    "'", "''", "\\'", "\\\\", "\\", "\"", "\"\"", "\\\"", "[", "]", "`", "$$", "$t$", "E'", "e'", "U&'",
    "--", "/*", "*/", "\n", "\r", " ", ";", "'x'", "'plain'", "'ends\\'", "'2001-05-03'", "'2001/5/3'",
    "SUBSTR(", "CONCAT(", "CAST(", " AS ", "INTEGER", "SELECT ", "FROM ", "trial", "UNION ", "ALL ", "x", "a",
};
constexpr std::size_t kPieceCount = sizeof kPieces / sizeof *kPieces;

constexpr const char* kShown = "\"GROUP\" = 3";

struct Source {
    std::shared_ptr<platform::SourceTable> table;
    std::set<long long> shown;
};

Source Made(std::shared_ptr<platform::SourceTable> table) {
    Source source{std::move(table), {}};
    platform::TableView view(source.table, kShown);
    auto cursor = view.Search(nullptr, true);
    while (auto row = cursor->NextRow()) source.shown.insert(row->OID());
    if (source.shown.size() != 2) std::abort();
    return source;
}

// OGR SQL on a Memory copy of the shapefile (one shared handle, so a refused
// clause costs no reopening), SQLite on the GeoPackage.
const Source* Sources() {
    static const Source* sources = [] {
        fuzzsupport::QuietGdal();
        const std::string folder = fuzzsupport::Folder();
        testsupport::WriteTrialSources(folder);
        std::shared_ptr<GDALDataset> memory(testsupport::Create("trial", "Memory").release(), GDALClose);
        memory->CopyLayer(testsupport::OpenRead(folder + "/trial.shp")->GetLayer(0), "trial");
        static const Source made[] = {Made(platform::OpenMemoryLayer(memory, "trial")),
                                      Made(platform::SourceTable::Open(folder + "/trial.gpkg", "trial"))};
        return made;
    }();
    return sources;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Source& source = Sources()[data[0] % 2];
    std::string clause;
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] < 0x80) clause += kPieces[data[i] % kPieceCount];
        else clause += static_cast<char>(data[i]);
    }
    platform::TableView view(source.table, kShown);
    platform::QueryFilter filter;
    filter.WhereClause(clause);
    try {
        auto cursor = view.Search(&filter, true);
        while (auto row = cursor->NextRow())
            if (source.shown.count(row->OID()) == 0) std::abort();  // a row the view hides
    } catch (const platform::ComError&) {
    }
    return 0;
}
