#pragma once
#include <string>

namespace platform {

// A column name written so that PostgreSQL reads back exactly this name: bare
// when PostgreSQL would not change it (lower-case letters, digits, "_" and
// "$", not starting with a digit, and not one of its reserved key words),
// otherwise in double quotes with any double quote doubled. PostgreSQL folds
// a bare name to lower case, so VAL would name the column val.
std::string PostgreSqlIdentifier(const std::string& name);

// A layer name of PostgreSQL, "schema.table" or "table", as SQL names it.
std::string PostgreSqlTableName(const std::string& layerName);

}  // namespace platform
