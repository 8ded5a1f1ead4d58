// Typed clauses and escape tricks on the server's trial table: each corpus
// clause for PostgreSQL selects through SourceTable::Search what the server
// itself selects, and no trick reaches a row outside a definition expression.
#include <algorithm>

#include <cpl_error.h>

#include "PostgisTestSupport.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"
#include "tests/support/WhereCorpus.h"

namespace pgtest {
namespace {

using testsupport::Rows;
using testsupport::RowsText;
using testsupport::SearchRows;

class WhereOnServer : public PostgisTest {
protected:
    Rows ServerRows(const std::string& clause) const {
        // A failure while the server runs the query comes as an error only.
        CPLErrorReset();
        CPLPushErrorHandler(CPLQuietErrorHandler);
        Rows rows;
        try {
            rows.emplace();
            for (const auto& id : Column("SELECT id FROM trial WHERE (" + clause + "\n) ORDER BY id"))
                rows->insert(std::stoll(id));
        } catch (const std::runtime_error&) {
            rows.reset();
        }
        if (CPLGetLastErrorType() == CE_Failure) rows.reset();
        CPLPopErrorHandler();
        return rows;
    }
};

TEST_F(WhereOnServer, EveryCorpusClauseSelectsWhatTheServerSelects) {
    auto table = platform::SourceTable::Open(Connection(), "trial");
    int checked = 0;
    for (const auto& c : testsupport::ReadWhereCorpus()) {
        if (c.dialects.find('p') == std::string::npos) continue;
        EXPECT_EQ(RowsText(SearchRows(*table, c.clause, 0)), RowsText(ServerRows(c.clause))) << "line " << c.line << ": " << c.clause;
        ++checked;
    }
    EXPECT_GE(checked, 100);
}

TEST_F(WhereOnServer, NoClauseReachesARowOutsideTheDefinitionExpression) {
    const std::string shown = "\"GROUP\" = 3";
    auto table = platform::SourceTable::Open(Connection(), "trial");
    platform::TableView view(table, shown);
    ASSERT_EQ(RowsText(SearchRows(view, "", 0)), "4 7 ");
    const std::set<long long> inside = {4, 7};
    for (const std::string& clause : testsupport::ReadWhereEscapes()) {
        if (const Rows rows = SearchRows(view, clause, 0)) {
            EXPECT_TRUE(std::includes(inside.begin(), inside.end(), rows->begin(), rows->end()))
                << clause << " selects " << RowsText(rows);
        }
    }
}

}  // namespace
}  // namespace pgtest
