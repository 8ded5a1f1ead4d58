#pragma once
// The typed where clauses of tests/data/where_corpus.txt (its head says how
// a line reads) and the tricks of where_escapes.txt, with the runners that
// check them on any source table against an engine of its own.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"

namespace testsupport {

// Row positions (object ID - first), or nullopt for a refused clause.
using Rows = std::optional<std::set<long long>>;

// The call's answer, or nullopt when it is refused; a refusal must be E_FAIL.
template <class Call>
auto Refused(const std::string& clause, Call call) -> std::optional<decltype(call())> {
    try {
        return call();
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), platform::E_FAIL) << clause;
        return std::nullopt;
    }
}

inline Rows SearchRows(platform::Table& table, const std::string& clause, long long first) {
    platform::QueryFilter filter;
    filter.WhereClause(clause);
    return Refused(clause, [&] {
        std::set<long long> rows;
        auto cursor = table.Search(&filter, true);
        while (auto row = cursor->NextRow()) rows.insert(row->OID() - first);
        return rows;
    });
}

// The data lines of a file of tests/data, each with its line number.
inline std::vector<std::pair<int, std::string>> DataLines(const char* name) {
    std::ifstream in(std::string(TESSALY_TEST_DATA_DIR) + "/" + name);
    if (!in) throw std::runtime_error(std::string("no ") + name);
    std::vector<std::pair<int, std::string>> lines;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line)
        if (!text.empty() && text[0] != '#') lines.emplace_back(line, text);
    return lines;
}

struct CorpusClause {
    int line;
    std::string dialects;   // of "osp"
    std::string exception;  // "", "case", "nulldate", "datene" or "fails"
    std::string clause;
    std::string sqliteForm;  // the clause as SQLite is to check an exception
};

inline std::vector<CorpusClause> ReadWhereCorpus() {
    std::vector<CorpusClause> clauses;
    for (const auto& [line, text] : DataLines("where_corpus.txt")) {
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
inline Rows SqliteRows(const std::string& file, const std::string& table, const std::string& clause,
                       bool caseSensitiveLike) {
    sqlite3* opened = nullptr;
    const int open = sqlite3_open_v2(file.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(opened, sqlite3_close);
    if (open != SQLITE_OK) throw std::runtime_error("cannot open " + file);
    if (caseSensitiveLike) sqlite3_exec(db.get(), "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr);
    const std::string sql = "SELECT CAST((" + clause + "\n) AS INTEGER) <> 0 FROM \"" + table + "\" ORDER BY fid";
    std::vector<bool> chosen;
    const auto row = [](void* out, int, char** values, char**) {
        static_cast<std::vector<bool>*>(out)->push_back(values[0] && *values[0] == '1');
        return 0;
    };
    if (sqlite3_exec(db.get(), sql.c_str(), row, &chosen, nullptr) != SQLITE_OK) return std::nullopt;
    std::set<long long> rows;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if (chosen[i]) rows.insert(static_cast<long long>(i));
    return rows;
}

// Every corpus clause written for `dialect` selects through Search what the
// source's own engine selects.
inline void ExpectCorpusAsEngine(platform::Table& table, char dialect, long long first, std::size_t atLeast,
                                 const std::function<Rows(const CorpusClause&)>& engine) {
    std::size_t checked = 0;
    for (const CorpusClause& c : ReadWhereCorpus()) {
        if (c.dialects.find(dialect) == std::string::npos) continue;
        EXPECT_EQ(SearchRows(table, c.clause, first), engine(c)) << "line " << c.line << ": " << c.clause;
        ++checked;
    }
    EXPECT_GE(checked, atLeast);
}

inline std::vector<std::string> ReadWhereEscapes() {
    std::vector<std::string> clauses;
    for (const auto& [line, text] : DataLines("where_escapes.txt")) clauses.push_back(text.substr(text.find('\t') + 1));
    return clauses;
}

// With a definition expression showing rows 3 and 6 of the trial table, no
// trick is answered, by Search or by RowCount, with a row outside it.
inline void ExpectNoTrickLeavesTheView(const std::shared_ptr<platform::SourceTable>& table, long long first) {
    const std::string shown = "\"GROUP\" = 3";
    const std::set<long long> inside = {3, 6};
    platform::TableView view(table, shown);
    ASSERT_EQ(SearchRows(view, "", first), inside);
    const auto clauses = ReadWhereEscapes();
    ASSERT_GE(clauses.size(), 25u);
    for (const std::string& clause : clauses) {
        if (const Rows rows = SearchRows(view, clause, first)) {
            EXPECT_TRUE(std::includes(inside.begin(), inside.end(), rows->begin(), rows->end()))
                << clause << " selects " << ::testing::PrintToString(*rows);
        }
        platform::QueryFilter filter;
        filter.WhereClause(clause);
        EXPECT_LE(Refused(clause, [&] { return table->RowCount(&filter, shown); }).value_or(0), 2) << clause;
    }
}

}  // namespace testsupport
