#include "platform/data/WhereClause.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/com/ComError.h"
#include "platform/data/GdalSource.h"
#include "platform/data/TextCompare.h"

namespace platform {

namespace {

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

}  // namespace

std::string IsoDateText(WorkspaceKind kind, const DateParts& parts, DateColumn column) {
    char day[48];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d", parts.year, parts.month, parts.day);
    if (column == DateColumn::Date) return day;
    const int millis = static_cast<int>(std::lround(parts.second * 1000.0));
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%02d.%03d", millis / 1000, millis % 1000);
    const std::string time = TwoDigits(parts.hour) + ":" + TwoDigits(parts.minute) + ":";
    // A GeoPackage keeps date-times as text in one exact form.
    if (kind == WorkspaceKind::GeoPackage) return std::string(day) + "T" + time + seconds;
    return std::string(day) + " " + time + (millis % 1000 == 0 ? TwoDigits(millis / 1000) : seconds);
}

std::string WhereNumberText(double value) {
    // to_chars ignores the C locale, which a Qt host sets from the user's.
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

std::string QuotedText(const std::string& text, char quote) {
    std::string quoted(1, quote);
    for (const char c : text) {
        quoted += c;
        if (c == quote) quoted += quote;
    }
    return quoted + quote;
}

std::string WhereStringLiteral(const std::string& text) { return QuotedText(text, '\''); }

std::string WhereStringLiteral(const std::string& text, SqlDialect dialect) {
    if (text.find('\\') == std::string::npos) return WhereStringLiteral(text);
    if (dialect == SqlDialect::PostgreSql) {
        // An E'' string reads the same whatever standard_conforming_strings says.
        std::string literal = "E'";
        for (const char c : text) {
            if (c == '\\' || c == '\'') literal += c;
            literal += c;
        }
        return literal + "'";
    }
    if (dialect != SqlDialect::OgrSql) return WhereStringLiteral(text);
    // OGR SQL reads \' as a quote: a quote after a backslash is written \'
    // (the backslash before it then stands for itself), and a string cannot
    // end in a backslash, so such a text is cut from one with a blank added.
    std::string literal = "'";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\'') literal += i > 0 && text[i - 1] == '\\' ? "\\'" : "''";
        else literal += text[i];
    }
    if (text.back() != '\\') return literal + "'";
    return "SUBSTR(" + literal + " ', 1, " + std::to_string(text.size()) + ")";
}

std::string WhereValueLiteral(WorkspaceKind kind, SqlDialect dialect, const Variant& value, DateColumn column) {
    switch (value.Type()) {
    case VariantType::Empty:
    case VariantType::Null: return "NULL";
    case VariantType::Boolean: return value.AsBoolean() ? "1" : "0";
    case VariantType::Integer:
    case VariantType::LongLong: return value.ToText();
    case VariantType::Double: return WhereNumberText(value.AsDouble());
    case VariantType::String: return WhereStringLiteral(value.AsString(), dialect);
    case VariantType::Date: return "'" + IsoDateText(kind, PartsFromOleDate(value.AsDate()), column) + "'";
    }
    return "NULL";
}

void RequireSingleClause(const std::string& clause, SqlDialect dialect) {
    // The source would read the clause only up to a NUL.
    if (clause.find('\0') != std::string::npos)
        throw ComError(E_FAIL, "Tessaly.Data", "A where clause may not hold a NUL character");
    const SqlTokens lexed = LexWhereClause(clause, dialect);
    int depth = 0;
    bool closesOuter = false;
    for (const SqlToken& token : lexed.tokens) {
        if (token.kind != SqlTokenKind::Symbol) continue;
        if (token.text == ";") throw ComError(E_FAIL, "Tessaly.Data", "A where clause may not hold \";\": " + clause);
        if (dialect == SqlDialect::Unknown) continue;
        if (token.text == "(") ++depth;
        if (token.text == ")" && --depth < 0) closesOuter = true;
    }
    if (lexed.unterminated || closesOuter || depth != 0)
        throw ComError(E_FAIL, "Tessaly.Data", "The where clause is not one closed expression: " + clause);
    if (lexed.ambiguous)
        throw ComError(E_FAIL, "Tessaly.Data",
                       "The server reads this as it is set or as its version does (a backslash in a string not "
                       "written E'...', a number run into a name): " + clause);
}

bool ClauseNamesField(const std::string& clause, const std::string& field, SqlDialect dialect) {
    for (const SqlToken& token : LexWhereClause(clause, dialect).tokens)
        if ((token.kind == SqlTokenKind::Word || token.kind == SqlTokenKind::QuotedName) &&
            EqualsIgnoringCase(token.text, field))
            return true;
    return false;
}

}  // namespace platform
