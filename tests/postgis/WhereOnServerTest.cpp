// Typed clauses and escape tricks on the server's trial table: each corpus
// clause for PostgreSQL selects through SourceTable::Search what the server
// itself selects, and no trick reaches a row outside a definition expression.
#include <algorithm>
#include <fstream>
#include <optional>
#include <set>

#include <cpl_error.h>

#include "PostgisTestSupport.h"
#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"
#include "tests/support/WhereCorpus.h"

namespace pgtest {
namespace {

using Rows = std::optional<std::set<long long>>;

std::string Text(const Rows& rows) {
    if (!rows) return "rejected";
    std::string text;
    for (long long row : *rows) text += std::to_string(row) + " ";
    return text;
}

Rows OurRows(platform::Table& table, const std::string& clause) {
    platform::QueryFilter filter;
    filter.WhereClause(clause);
    try {
        std::set<long long> rows;
        auto cursor = table.Search(&filter, true);
        while (auto row = cursor->NextRow()) rows.insert(row->OID());
        return rows;
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), platform::E_FAIL) << clause;
        return std::nullopt;
    }
}

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
    for (const auto& c : testsupport::ReadWhereCorpus(std::string(TESSALY_TEST_DATA_DIR) + "/where_corpus.txt")) {
        if (c.dialects.find('p') == std::string::npos) continue;
        EXPECT_EQ(Text(OurRows(*table, c.clause)), Text(ServerRows(c.clause))) << "line " << c.line << ": " << c.clause;
        ++checked;
    }
    EXPECT_GE(checked, 100);
}

TEST_F(WhereOnServer, NoClauseReachesARowOutsideTheDefinitionExpression) {
    const std::string shown = "\"GROUP\" = 3";
    auto table = platform::SourceTable::Open(Connection(), "trial");
    platform::TableView view(table, shown);
    ASSERT_EQ(Text(OurRows(view, "")), "4 7 ");
    const std::set<long long> inside = {4, 7};
    std::ifstream escapes(std::string(TESSALY_TEST_DATA_DIR) + "/where_escapes.txt");
    for (std::string line; std::getline(escapes, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::string clause = line.substr(line.find('\t') + 1);
        if (const Rows rows = OurRows(view, clause)) {
            EXPECT_TRUE(std::includes(inside.begin(), inside.end(), rows->begin(), rows->end()))
                << clause << " selects " << Text(rows);
        }
    }
}

}  // namespace
}  // namespace pgtest
