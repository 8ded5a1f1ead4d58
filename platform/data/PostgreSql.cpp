#include "platform/data/PostgreSql.h"

#include "platform/data/WhereClause.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {

namespace {

// PostgreSQL 15's key words that cannot stand as a bare column name in an
// expression (pg_get_keywords() with a category other than unreserved), sorted.
constexpr std::array<std::string_view, 151> kReservedWords = {
    "all", "analyse", "analyze", "and", "any", "array", "as", "asc", "asymmetric", "authorization", "between",
    "bigint", "binary", "bit", "boolean", "both", "case", "cast", "char", "character", "check", "coalesce",
    "collate", "collation", "column", "concurrently", "constraint", "create", "cross", "current_catalog",
    "current_date", "current_role", "current_schema", "current_time", "current_timestamp", "current_user", "dec",
    "decimal", "default", "deferrable", "desc", "distinct", "do", "else", "end", "except", "exists", "extract",
    "false", "fetch", "float", "for", "foreign", "freeze", "from", "full", "grant", "greatest", "group",
    "grouping", "having", "ilike", "in", "initially", "inner", "inout", "int", "integer", "intersect", "interval",
    "into", "is", "isnull", "join", "lateral", "leading", "least", "left", "like", "limit", "localtime",
    "localtimestamp", "national", "natural", "nchar", "none", "normalize", "not", "notnull", "null", "nullif",
    "numeric", "offset", "on", "only", "or", "order", "out", "outer", "overlaps", "overlay", "placing", "position",
    "precision", "primary", "real", "references", "returning", "right", "row", "select", "session_user", "setof",
    "similar", "smallint", "some", "substring", "symmetric", "table", "tablesample", "then", "time", "timestamp",
    "to", "trailing", "treat", "trim", "true", "union", "unique", "user", "using", "values", "varchar", "variadic",
    "verbose", "when", "where", "window", "with", "xmlattributes", "xmlconcat", "xmlelement", "xmlexists",
    "xmlforest", "xmlnamespaces", "xmlparse", "xmlpi", "xmlroot", "xmlserialize", "xmltable"};

bool StaysBare(const std::string& name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9') || name[0] == '$') return false;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
        if (!plain) return false;
    }
    return !std::binary_search(kReservedWords.begin(), kReservedWords.end(), std::string_view(name));
}

}  // namespace

std::string PostgreSqlIdentifier(const std::string& name) {
    return StaysBare(name) ? name : QuotedText(name, '"');
}

std::string PostgreSqlTableName(const std::string& layerName) {
    const auto dot = layerName.find('.');
    if (dot == std::string::npos) return QuotedText(layerName, '"');
    return QuotedText(layerName.substr(0, dot), '"') + "." + QuotedText(layerName.substr(dot + 1), '"');
}

}  // namespace platform
