// Every typed clause of the corpus selects, through SourceTable::Search, the
// rows the source's own engine selects on the same file: GDAL's OGR SQL for
// shapefiles, dBASE tables and CSV files, SQLite for GeoPackages. Named
// exceptions (case-exact text, Null dates) are checked against SQLite.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"
#include "tests/support/TrialTable.h"
#include "tests/support/WhereCorpus.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Rows;
using testsupport::RowsText;
using testsupport::SearchRows;

struct SourceKind {
    const char* name;
    const char* file;
    const char* driver;
    const char* layer;  // "" for the file's only one
    bool ogrSql;
    GIntBig first;  // the object ID of the first row
};

const SourceKind kKinds[] = {
    {"shapefile", "trial.shp", "ESRI Shapefile", "", true, 0},
    {"dBASE", "trial_table.dbf", "ESRI Shapefile", "", true, 0},
    {"CSV", "trial.csv", "CSV", "", true, 1},
    {"GeoPackageLayer", "trial.gpkg", "GPKG", "trial", false, 1},
    {"GeoPackageTable", "trial.gpkg", "GPKG", "trial_table", false, 1},
};

void PrintTo(const SourceKind& kind, std::ostream* out) { *out << kind.name; }

class WhereCorpus : public ::testing::TestWithParam<SourceKind> {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("tessaly-corpus-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        CPLPushErrorHandler(CPLQuietErrorHandler);
        testsupport::WriteTrialSources(folder_);
        // Each OGR SQL source's rows as GDAL reads them (a dBASE table loses
        // trailing blanks, a CSV file has no Null texts), for SQLite to check
        // the named exceptions on.
        auto twins = testsupport::Create(folder_ / "twins.gpkg", "GPKG");
        for (const SourceKind& kind : kKinds) {
            if (!kind.ogrSql) continue;
            GDALDatasetUniquePtr source = OpenGdal(kind);
            twins->CopyLayer(source->GetLayer(0), kind.name);
        }
        CPLPopErrorHandler();
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    static std::string Path(const SourceKind& kind) { return (folder_ / kind.file).string(); }

    static GDALDatasetUniquePtr OpenGdal(const SourceKind& kind) {
        const char* csvOptions[] = {"AUTODETECT_TYPE=YES", nullptr};
        return GDALDatasetUniquePtr(GDALDataset::Open(Path(kind).c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                                                      std::string(kind.driver) == "CSV" ? csvOptions : nullptr));
    }

    // What GDAL itself selects (OGR SQL here), as positions in file order; a
    // clause it refuses as it is set gives nullopt. OGR SQL reports failures
    // on the rows whose date is Null as it reads them, and leaves those out.
    static Rows GdalRows(const SourceKind& kind, const std::string& clause) {
        GDALDatasetUniquePtr dataset = OpenGdal(kind);
        OGRLayer* layer = dataset->GetLayer(0);
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
        const OGRErr set = layer->SetAttributeFilter(clause.c_str());
        Rows rows;
        if (set == OGRERR_NONE) {
            rows.emplace();
            for (auto& feature : *layer) rows->insert(feature->GetFID() - kind.first);
        }
        CPLPopErrorHandler();
        return rows;
    }

    // What the engine of the kind selects, or SQLite for a named exception.
    static Rows EngineRows(const SourceKind& kind, const testsupport::CorpusClause& c) {
        const std::string table = *kind.layer ? kind.layer : "trial_table";
        if (!kind.ogrSql) return testsupport::SqliteRows(Path(kind), table, c.clause, false);
        if (c.exception == "fails") return std::nullopt;
        if (!c.exception.empty())
            return testsupport::SqliteRows((folder_ / "twins.gpkg").string(), kind.name, c.sqliteForm, true);
        return GdalRows(kind, c.clause);
    }

    static fs::path folder_;
};

fs::path WhereCorpus::folder_;

TEST_P(WhereCorpus, EveryClauseSelectsTheRowsTheSourcesOwnEngineSelects) {
    const SourceKind& kind = GetParam();
    const char dialect = kind.ogrSql ? 'o' : 's';
    auto table = platform::SourceTable::Open(Path(kind), kind.layer);
    const GIntBig first = kind.first;
    int checked = 0;
    for (const auto& c : testsupport::ReadWhereCorpus()) {
        if (c.dialects.find(dialect) == std::string::npos) continue;
        const Rows expected = EngineRows(kind, c);
        ASSERT_TRUE(expected || c.exception.empty() || c.exception == "fails") << "line " << c.line << ": no SQLite form";
        EXPECT_EQ(RowsText(SearchRows(*table, c.clause, first)), RowsText(expected)) << "line " << c.line << ": " << c.clause;
        ++checked;
    }
    EXPECT_GE(checked, 130);
}

// A definition expression showing 2 of the 12 rows holds against every trick
// of every dialect: the clause is refused or selects only rows it shows.
TEST_P(WhereCorpus, NoClauseReachesARowOutsideTheDefinitionExpression) {
    const SourceKind& kind = GetParam();
    auto table = platform::SourceTable::Open(Path(kind), kind.layer);
    const GIntBig first = kind.first;
    const std::string shown = "\"GROUP\" = 3";
    platform::TableView view(table, shown);
    ASSERT_EQ(RowsText(SearchRows(view, "", first)), "3 6 ");
    const auto clauses = testsupport::ReadWhereEscapes();
    ASSERT_GE(clauses.size(), 25u);
    for (const std::string& clause : clauses) {
        const Rows rows = SearchRows(view, clause, first);
        const std::set<long long> inside = {3, 6};
        if (rows) {
            EXPECT_TRUE(std::includes(inside.begin(), inside.end(), rows->begin(), rows->end()))
                << clause << " selects " << RowsText(rows);
        }
        platform::QueryFilter filter;
        filter.WhereClause(clause);
        try {
            EXPECT_LE(table->RowCount(&filter, shown), 2) << clause;
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Number(), platform::E_FAIL) << clause;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, WhereCorpus, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
