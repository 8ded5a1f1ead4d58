// A PostGIS table changes while the document is open, through another
// connection: every reading command reads it as it is now, or reports a data
// problem.
#include <unistd.h>

#include <gdal_priv.h>

#include "PostgisTestSupport.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "tests/support/DataChangeCommands.h"

namespace pgtest {
namespace {

// Each change as statements run on the server; {t} stands for this test's table.
using Change = std::pair<std::string, std::vector<std::string>>;
const std::vector<Change> kChanges = {
    {"RowsAdded", {"INSERT INTO {t} (\"NAME\", \"VAL\", n) VALUES ('eve', 7.25, 7), ('eve', 8.5, 8)"}},
    {"RowsRemoved", {"DELETE FROM {t} WHERE fid IN (2, 4)"}},
    {"ColumnRemoved", {"ALTER TABLE {t} DROP COLUMN \"NAME\""}},
    {"ColumnAdded", {"ALTER TABLE {t} ADD COLUMN extra integer"}},
    {"ColumnsReordered",
     {"CREATE TABLE {t}_r (fid integer PRIMARY KEY, \"VAL\" double precision, \"NAME\" varchar(10), n integer)",
      "INSERT INTO {t}_r SELECT fid, \"VAL\", \"NAME\", n FROM {t}", "DROP TABLE {t}",
      "ALTER TABLE {t}_r RENAME TO {t}"}},
    {"TableAdded",
     {"CREATE TABLE {t}_extra (fid serial PRIMARY KEY, \"NAME\" varchar(10), \"VAL\" double precision)",
      "INSERT INTO {t}_extra (\"NAME\", \"VAL\") VALUES ('new', 9.5)"}},
};

class PostgisDataChangesTest : public PostgisTest, public ::testing::WithParamInterface<Change> {
protected:
    void SetUp() override {
        PostgisTest::SetUp();
        if (HasFatalFailure()) return;
        Execute({"DROP TABLE IF EXISTS {t}, {t}_extra, {t}_r",
                 "CREATE TABLE {t} (fid serial PRIMARY KEY, \"NAME\" varchar(10), \"VAL\" double precision, n integer)",
                 "INSERT INTO {t} (\"NAME\", \"VAL\", n) VALUES ('ann', 1.5, 1), ('bob', 2.25, 2), ('ann', 3, 3), "
                 "('cid', 4.5, 4), ('bob', 0.5, 5), ('dan', 6, 6)"});
    }
    void TearDown() override {
        if (!HasFatalFailure()) Execute({"DROP TABLE IF EXISTS {t}, {t}_extra, {t}_r"});
    }

    // Runs the statements on a connection of their own, as another program would.
    void Execute(const std::vector<std::string>& statements) const {
        GDALDatasetUniquePtr server(GDALDataset::Open(ServerConnection().c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
        ASSERT_TRUE(server) << "cannot reach the server";
        for (std::string statement : statements) {
            for (std::size_t at; (at = statement.find("{t}")) != std::string::npos;) statement.replace(at, 3, table_);
            CPLErrorReset();
            server->ExecuteSQL(statement.c_str(), nullptr, nullptr);
            ASSERT_NE(CPLGetLastErrorType(), CE_Failure) << statement << ": " << CPLGetLastErrorMsg();
        }
    }

    const std::string table_ = "changes_" + std::to_string(::getpid());
};

TEST_P(PostgisDataChangesTest, EveryReadingCommandReadsTheTableAsItIsNowOrReportsADataProblem) {
    const auto& [change, statements] = GetParam();
    auto open = [&](const std::string& name, const std::string& dataset) {
        auto table = platform::StandaloneTable::Open(name, Connection(), dataset);
        EXPECT_TRUE(table->Valid()) << dataset;
        app_->Document()->FocusMap()->AddStandaloneTable(table);
        return datachange::Theme{table, name, dataset};
    };
    datachange::CommandRunner runner(ui_, app_, [&](const tessaly::ClassInfo& info) { return Command(info); },
                                     Folder().string());
    datachange::ExpectEachCommandAfter(
        runner, ServerConnection(), open("Changes", table_),
        [&]() -> std::optional<datachange::Theme> {
            Execute(statements);
            if (change != "TableAdded") return std::nullopt;
            return open("Extra", table_ + "_extra");
        },
        datachange::ExpectAfter(change));
}

INSTANTIATE_TEST_SUITE_P(Matrix, PostgisDataChangesTest, ::testing::ValuesIn(kChanges),
                         [](const ::testing::TestParamInfo<Change>& info) { return info.param.first; });

}  // namespace
}  // namespace pgtest
