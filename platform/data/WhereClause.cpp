#include "platform/data/WhereClause.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>

#include "platform/com/ComError.h"
#include "platform/data/GdalSource.h"
#include "platform/data/TextCompare.h"

namespace platform {

namespace {

bool IsWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_'; }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// What a walk over a clause found outside string literals and comments.
struct ClauseShape {
    bool semicolon = false;
    bool unterminated = false;  // a literal, identifier or comment left open
    bool closesOuter = false;   // a ")" with no "(" of the clause before it
    int depth = 0;
};

// Walks the clause; `name` receives every identifier (bare, "quoted" or
// [bracketed]) met outside literals and comments.
ClauseShape Walk(const std::string& clause, const std::function<void(const std::string&)>& name) {
    ClauseShape shape;
    const std::size_t n = clause.size();
    std::size_t i = 0;
    // Text up to the closing mark, a doubled mark standing for itself.
    auto quoted = [&](char close) {
        std::string text;
        ++i;
        while (i < n) {
            if (clause[i] == close) {
                if (close != ']' && i + 1 < n && clause[i + 1] == close) {
                    text += close;
                    i += 2;
                    continue;
                }
                ++i;
                return text;
            }
            text += clause[i++];
        }
        shape.unterminated = true;
        return text;
    };
    while (i < n) {
        const char c = clause[i];
        if (c == '\'') {
            quoted('\'');
        } else if (c == '"' || c == '[') {
            const std::string text = quoted(c == '"' ? '"' : ']');
            if (name) name(text);
        } else if (c == '-' && i + 1 < n && clause[i + 1] == '-') {
            while (i < n && clause[i] != '\n' && clause[i] != '\r') ++i;
        } else if (c == '/' && i + 1 < n && clause[i + 1] == '*') {
            const std::size_t end = clause.find("*/", i + 2);
            if (end == std::string::npos) {
                shape.unterminated = true;
                i = n;
            } else {
                i = end + 2;
            }
        } else if (IsWordStart(c)) {
            const std::size_t start = i;
            while (i < n && IsWordChar(clause[i])) ++i;
            if (name) name(clause.substr(start, i - start));
        } else if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            // A number such as 1E5 is not a name.
            while (i < n && (IsWordChar(clause[i]) || clause[i] == '.')) ++i;
        } else {
            if (c == ';') shape.semicolon = true;
            if (c == '(') ++shape.depth;
            if (c == ')' && --shape.depth < 0) shape.closesOuter = true;
            ++i;
        }
    }
    return shape;
}

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

std::string WhereValueLiteral(WorkspaceKind kind, const Variant& value, DateColumn column) {
    switch (value.Type()) {
    case VariantType::Empty:
    case VariantType::Null: return "NULL";
    case VariantType::Boolean: return value.AsBoolean() ? "1" : "0";
    case VariantType::Integer:
    case VariantType::LongLong: return value.ToText();
    case VariantType::Double: return WhereNumberText(value.AsDouble());
    case VariantType::String: return WhereStringLiteral(value.AsString());
    case VariantType::Date: return "'" + IsoDateText(kind, PartsFromOleDate(value.AsDate()), column) + "'";
    }
    return "NULL";
}

void RequireSingleClause(const std::string& clause) {
    const ClauseShape shape = Walk(clause, nullptr);
    if (shape.semicolon) throw ComError(E_FAIL, "Tessaly.Data", "A where clause may not hold \";\": " + clause);
    if (shape.unterminated || shape.closesOuter || shape.depth != 0)
        throw ComError(E_FAIL, "Tessaly.Data", "The where clause is not one closed expression: " + clause);
}

bool ClauseNamesField(const std::string& clause, const std::string& field) {
    bool named = false;
    Walk(clause, [&](const std::string& name) { named = named || EqualsIgnoringCase(name, field); });
    return named;
}

}  // namespace platform
