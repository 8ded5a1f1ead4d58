#pragma once
// The typed where clauses of tests/data/where_corpus.txt (its head says how
// a line reads) and the tricks of where_escapes.txt; the rows a table and
// SQLite itself select with one of them.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/Table.h"

namespace testsupport {

// Row positions (object ID - first), or nullopt for a refused clause.
using Rows = std::optional<std::set<long long>>;

inline std::string RowsText(const Rows& rows) {
    if (!rows) return "rejected";
    std::string text;
    for (long long row : *rows) text += std::to_string(row) + " ";
    return text;
}

// What the table's Search selects; a refusal must be E_FAIL.
inline Rows SearchRows(platform::Table& table, const std::string& clause, long long first) {
    platform::QueryFilter filter;
    filter.WhereClause(clause);
    try {
        std::set<long long> rows;
        auto cursor = table.Search(&filter, true);
        while (auto row = cursor->NextRow()) rows.insert(row->OID() - first);
        return rows;
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), platform::E_FAIL) << clause;
        return std::nullopt;
    }
}

inline std::vector<std::string> ReadWhereEscapes() {
    std::ifstream in(std::string(TESSALY_TEST_DATA_DIR) + "/where_escapes.txt");
    std::vector<std::string> clauses;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') clauses.push_back(line.substr(line.find('\t') + 1));
    return clauses;
}

struct CorpusClause {
    int line;
    std::string dialects;   // of "osp"
    std::string exception;  // "", "case" or "nulldate"
    std::string clause;
    std::string sqliteForm;  // the clause as SQLite is to check an exception
};

inline std::vector<CorpusClause> ReadWhereCorpus() {
    std::ifstream in(std::string(TESSALY_TEST_DATA_DIR) + "/where_corpus.txt");
    if (!in) throw std::runtime_error("no where_corpus.txt");
    std::vector<CorpusClause> clauses;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (text.empty() || text[0] == '#') continue;
        const auto tab = text.find('\t');
        const auto second = text.find('\t', tab + 1);
        CorpusClause c{line, text.substr(0, tab), "", text.substr(tab + 1, second - tab - 1), ""};
        if (const auto colon = c.dialects.find(':'); colon != std::string::npos) {
            c.exception = c.dialects.substr(colon + 1);
            c.dialects.resize(colon);
        }
        c.sqliteForm = second == std::string::npos ? c.clause : text.substr(second + 1);
        clauses.push_back(c);
    }
    return clauses;
}

// The 0-based positions of the rows of `table` (ordered by fid) that SQLite
// selects with the clause; nullopt when SQLite rejects it.
inline std::optional<std::set<long long>> SqliteRows(const std::string& file, const std::string& table,
                                                     const std::string& clause, bool caseSensitiveLike) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file);
    }
    if (caseSensitiveLike) sqlite3_exec(db, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr);
    const std::string sql = "SELECT (" + clause + "\n) FROM \"" + table + "\" ORDER BY fid";
    sqlite3_stmt* statement = nullptr;
    std::optional<std::set<long long>> rows;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
        rows.emplace();
        long long position = 0;
        int step = 0;
        while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
            if (sqlite3_column_type(statement, 0) != SQLITE_NULL && sqlite3_column_int(statement, 0) != 0)
                rows->insert(position);
            ++position;
        }
        if (step != SQLITE_DONE) rows.reset();
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

}  // namespace testsupport
