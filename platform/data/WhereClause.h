#pragma once
// Writing values into where clauses, and the shape every where clause must
// have before it reaches a source.
#include <string>

#include "platform/com/Hresult.h"
#include "platform/data/Variant.h"
#include "platform/data/WhereLexer.h"
#include "platform/data/Workspace.h"

namespace platform {

// Data that cannot be opened or read fail with this number, so that callers
// can tell them from a where clause the source rejects (E_FAIL).
inline constexpr HRESULT E_DATAUNREADABLE = static_cast<HRESULT>(0x80040260u);

// The shortest text that reads back as the same double (at most 17
// significant digits), "." as the decimal separator in every locale, an
// exponent as "1E+20".
std::string WhereNumberText(double value);

// 'text' with every apostrophe inside doubled: O'Neil gives 'O''Neil'.
// `text` between two `quote` characters, each quote inside doubled: a SQL
// string literal with '\'', an identifier with '"'.
std::string QuotedText(const std::string& text, char quote);
std::string WhereStringLiteral(const std::string& text);
// The same, so that the dialect reads back exactly `text`: a text holding a
// backslash is written E'...' in PostgreSQL; in OGR SQL, where \' is a quote,
// a quote after a backslash is written \' and a text ending in a backslash
// as SUBSTR('text ', 1, n).
std::string WhereStringLiteral(const std::string& text, SqlDialect dialect);

// What a date column keeps: a day, or a day and a time.
enum class DateColumn { Date, DateTime };

// A value written so that `field = literal` selects exactly the rows holding
// it in a source of that kind and dialect: strings as above; integers (also 64-bit) as
// integers; doubles as WhereNumberText; Booleans as 1 and 0; dates as quoted
// ISO text in the form the source compares ('2001-05-03', a date-time
// '2001-05-03 10:20:30' or, in a GeoPackage, '2001-05-03T10:20:30.000').
// Empty and Null give NULL.
std::string WhereValueLiteral(WorkspaceKind kind, SqlDialect dialect, const Variant& value, DateColumn column);

// Raises ComError E_FAIL unless the clause, read as the dialect reads it, is
// one expression that cannot leave the parentheses it is put in: no ";" and
// no string, name or comment left open outside string literals, no ")"
// closing more than the clause opened, and nothing whose reading depends on a
// setting of the source. An Unknown dialect is only checked for ";".
void RequireSingleClause(const std::string& clause, SqlDialect dialect);

// Whether the clause names the field (a bare or quoted name, letter case
// ignored); text inside string literals and comments does not count.
bool ClauseNamesField(const std::string& clause, const std::string& field, SqlDialect dialect);

}  // namespace platform
