// Every typed clause of the corpus selects, through SourceTable::Search, the
// rows the source's own engine selects on the same file: GDAL's OGR SQL for
// shapefiles, dBASE tables and CSV files, SQLite for GeoPackages. Named
// exceptions (case-exact text, Null dates) are checked against SQLite.
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/TrialTable.h"
#include "tests/support/WhereCorpus.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Rows;

using testsupport::kTrialSources;
using testsupport::TrialSource;

class WhereCorpus : public ::testing::TestWithParam<TrialSource> {
protected:
    static void SetUpTestSuite() {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        testsupport::WriteTrialSources(folder_);
        // Each OGR SQL source's rows as GDAL reads them (a dBASE table loses
        // trailing blanks, a CSV file has no Null texts), for SQLite to check
        // the named exceptions on.
        auto twins = testsupport::Create(folder_ / "twins.gpkg", "GPKG");
        for (const TrialSource& kind : kTrialSources)
            if (!*kind.layer) twins->CopyLayer(testsupport::OpenRead(folder_ / kind.file)->GetLayer(0), kind.name);
        CPLPopErrorHandler();
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    // What GDAL itself selects (OGR SQL here), as positions in file order; a
    // clause it refuses as it is set gives nullopt. OGR SQL reports failures
    // on the rows whose date is Null as it reads them, and leaves those out.
    static Rows GdalRows(const TrialSource& kind, const std::string& clause) {
        GDALDatasetUniquePtr dataset = testsupport::OpenRead(folder_ / kind.file);
        OGRLayer* layer = dataset->GetLayer(0);
        CPLPushErrorHandler(CPLQuietErrorHandler);
        Rows rows;
        if (layer->SetAttributeFilter(clause.c_str()) == OGRERR_NONE) {
            rows.emplace();
            for (auto& feature : *layer) rows->insert(feature->GetFID() - kind.first);
        }
        CPLPopErrorHandler();
        return rows;
    }

    // What the engine of the kind selects, or SQLite for a named exception.
    static Rows EngineRows(const TrialSource& kind, const testsupport::CorpusClause& c) {
        if (*kind.layer) return testsupport::SqliteRows(Path(kind), kind.layer, c.clause, false);
        if (c.exception == "fails") return std::nullopt;
        if (c.exception.empty()) return GdalRows(kind, c.clause);
        Rows rows = testsupport::SqliteRows((folder_ / "twins.gpkg").string(), kind.name, c.sqliteForm, true);
        EXPECT_TRUE(rows) << "line " << c.line << ": no SQLite form";
        return rows;
    }

    static std::string Path(const TrialSource& kind) { return (folder_ / kind.file).string(); }
    static inline const fs::path folder_ = fs::temp_directory_path() / ("tessaly-corpus-" + std::to_string(getpid()));
};

TEST_P(WhereCorpus, EveryClauseSelectsTheRowsTheSourcesOwnEngineSelects) {
    const TrialSource& kind = GetParam();
    auto table = platform::SourceTable::Open(Path(kind), kind.layer);
    testsupport::ExpectCorpusAsEngine(*table, *kind.layer ? 's' : 'o', kind.first, 130,
                                      [&](const auto& c) { return EngineRows(kind, c); });
}

TEST_P(WhereCorpus, NoClauseReachesARowOutsideTheDefinitionExpression) {
    testsupport::ExpectNoTrickLeavesTheView(platform::SourceTable::Open(Path(GetParam()), GetParam().layer),
                                            GetParam().first);
}

INSTANTIATE_TEST_SUITE_P(Sources, WhereCorpus, ::testing::ValuesIn(kTrialSources),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
