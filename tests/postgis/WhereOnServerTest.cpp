// Typed clauses and escape tricks on the server's trial table: each corpus
// clause for PostgreSQL selects through SourceTable::Search what the server
// itself selects, and no trick reaches a row outside a definition expression.
#include <cpl_error.h>

#include "PostgisTestSupport.h"
#include "tests/support/WhereCorpus.h"

namespace pgtest {
namespace {

using WhereOnServer = PostgisTest;

TEST_F(WhereOnServer, EveryCorpusClauseSelectsWhatTheServerSelects) {
    auto table = platform::SourceTable::Open(Connection(), "trial");
    testsupport::ExpectCorpusAsEngine(*table, 'p', 1, 100, [&](const testsupport::CorpusClause& c) {
        // A failure while the server runs the query comes as an error only.
        CPLErrorReset();
        CPLPushErrorHandler(CPLQuietErrorHandler);
        testsupport::Rows rows;
        try {
            rows.emplace();
            for (const auto& id : Column("SELECT id FROM trial WHERE (" + c.clause + "\n) ORDER BY id"))
                rows->insert(std::stoll(id) - 1);
        } catch (const std::runtime_error&) {
            rows.reset();
        }
        if (CPLGetLastErrorType() == CE_Failure) rows.reset();
        CPLPopErrorHandler();
        return rows;
    });
}

TEST_F(WhereOnServer, NoClauseReachesARowOutsideTheDefinitionExpression) {
    testsupport::ExpectNoTrickLeavesTheView(platform::SourceTable::Open(Connection(), "trial"), 1);
}

}  // namespace
}  // namespace pgtest
