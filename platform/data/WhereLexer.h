#pragma once
// Where clauses read token by token, the way the SQL of their source reads
// them: what is a string, a name, a comment, and where each one ends.
#include <string>
#include <vector>

namespace platform {

// The SQL a source evaluates its where clauses in.
//   OgrSql      GDAL's own (shapefiles, dBASE, CSV, Memory and other file
//               formats): '' or \' inside strings, \" inside "names", no comments.
//   Sqlite      GeoPackage and SQLite files: '' and "" doubled, [names] and
//               `names`, -- and /* */ comments.
//   PostgreSql  the server: '' doubled, E'' strings with backslash escapes,
//               $tag$ quoted strings, -- and nested /* */ comments.
//   Unknown     a driver that hands its clauses to an SQL we do not read.
enum class SqlDialect { OgrSql, Sqlite, PostgreSql, Unknown };

// By GDAL's short driver name ("ESRI Shapefile", "GPKG", "PostgreSQL", ...).
SqlDialect DialectOfDriver(const std::string& shortName);

enum class SqlTokenKind {
    Word,        // a bare name or key word, as written
    QuotedName,  // "name" (also [name] and `name`), its text without the quotes
    String,      // 'text', its text as the source reads it
    Number,
    Symbol,      // one character: an operator, a parenthesis, a comma, ";"
    Comment,
};

struct SqlToken {
    SqlTokenKind kind;
    std::string text;
    std::size_t begin = 0;  // of the token in the clause
    std::size_t end = 0;
};

struct SqlTokens {
    std::vector<SqlToken> tokens;
    // A string, name or comment runs to the end of the clause.
    bool unterminated = false;
    // Something whose reading depends on a setting or version of the
    // source: a backslash in a PostgreSQL string that is not an E'' string,
    // a PostgreSQL number run into a name ("1E'...'").
    bool ambiguous = false;
};

// Unknown reads no clause: it gives every character as a Symbol.
SqlTokens LexWhereClause(const std::string& clause, SqlDialect dialect);

}  // namespace platform
