#include "platform/data/WhereLexer.h"

#include <array>
#include <string_view>

namespace platform {

namespace {

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHigh(char c) { return static_cast<unsigned char>(c) > 127; }

class Lexer {
public:
    Lexer(const std::string& clause, SqlDialect dialect) : s_(clause), n_(clause.size()), dialect_(dialect) {}

    SqlTokens Run() {
        while (i_ < n_) {
            const char c = s_[i_];
            if (IsBlank(c)) {
                ++i_;
            } else if (c == '\'') {
                Enclosed(SqlTokenKind::String, '\'', true, StartsEString());
            } else if (c == '"') {
                Enclosed(SqlTokenKind::QuotedName, '"', dialect_ != SqlDialect::OgrSql, false);
            } else if (c == '[' && dialect_ == SqlDialect::Sqlite) {
                Enclosed(SqlTokenKind::QuotedName, ']', false, false);
            } else if (c == '`' && dialect_ == SqlDialect::Sqlite) {
                Enclosed(SqlTokenKind::QuotedName, '`', true, false);
            } else if (c == '-' && At(1) == '-' && dialect_ != SqlDialect::OgrSql) {
                const std::size_t start = i_;
                while (i_ < n_ && s_[i_] != '\n' && (dialect_ != SqlDialect::PostgreSql || s_[i_] != '\r')) ++i_;
                Push(SqlTokenKind::Comment, s_.substr(start, i_ - start), start);
            } else if (c == '/' && At(1) == '*' && dialect_ != SqlDialect::OgrSql) {
                BlockComment();
            } else if (c == '$' && dialect_ == SqlDialect::PostgreSql && DollarQuote()) {
            } else if (IsDigit(c) || (c == '.' && IsDigit(At(1)) && dialect_ != SqlDialect::OgrSql)) {
                Number();
            } else if (StartsWord(c)) {
                Word();
            } else {
                Push(SqlTokenKind::Symbol, std::string(1, c), i_);
                ++i_;
            }
        }
        return std::move(out_);
    }

private:
    char At(std::size_t ahead) const { return i_ + ahead < n_ ? s_[i_ + ahead] : '\0'; }

    bool IsBlank(char c) const {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') return true;
        return dialect_ != SqlDialect::OgrSql && (c == '\f' || c == '\v');
    }

    bool StartsWord(char c) const {
        // OGR SQL starts a name only with a letter (a digit starts a number).
        if (dialect_ == SqlDialect::OgrSql) return IsAsciiAlpha(c);
        return IsAsciiAlpha(c) || c == '_' || IsHigh(c);
    }
    bool ContinuesWord(char c) const {
        if (IsAsciiAlpha(c) || IsDigit(c) || c == '_' || IsHigh(c)) return true;
        return c == '$' && dialect_ != SqlDialect::OgrSql;
    }

    void Push(SqlTokenKind kind, std::string text, std::size_t begin) {
        out_.tokens.push_back({kind, std::move(text), begin, i_});
    }

    // PostgreSQL reads backslash escapes in a string written E'...' (the E a
    // word of its own, right before the quote).
    bool StartsEString() {
        if (dialect_ != SqlDialect::PostgreSql || out_.tokens.empty()) return false;
        SqlToken& last = out_.tokens.back();
        if (last.kind != SqlTokenKind::Word || last.end != i_ || (last.text != "E" && last.text != "e")) return false;
        out_.tokens.pop_back();
        return true;
    }

    // Text between quotes, a string or a name: a doubled closing mark stands
    // for itself where `doubled`, and in OGR SQL a backslash before it does;
    // in a string written E'...' a backslash takes the next character as it is.
    void Enclosed(SqlTokenKind kind, char close, bool doubled, bool escapes) {
        const std::size_t start = i_++;
        std::string text;
        while (i_ < n_) {
            const char c = s_[i_];
            if (c == '\\' && dialect_ == SqlDialect::OgrSql && At(1) == close) {
                text += close;
                i_ += 2;
                continue;
            }
            if (c == '\\' && escapes) {
                if (i_ + 1 < n_) text += s_[i_ + 1];
                i_ += 2;
                continue;
            }
            if (c == '\\' && kind == SqlTokenKind::String && dialect_ == SqlDialect::PostgreSql) out_.ambiguous = true;
            if (c == close) {
                if (doubled && At(1) == close) {
                    text += close;
                    i_ += 2;
                    continue;
                }
                ++i_;
                Push(kind, std::move(text), start);
                return;
            }
            text += c;
            ++i_;
        }
        i_ = n_;
        out_.unterminated = true;
        Push(kind, std::move(text), start);
    }

    // PostgreSQL nests block comments; SQLite ends one at the first "*/".
    void BlockComment() {
        const std::size_t start = i_;
        i_ += 2;
        int depth = 1;
        while (i_ < n_ && depth > 0) {
            if (s_[i_] == '*' && At(1) == '/') {
                --depth;
                i_ += 2;
            } else if (dialect_ == SqlDialect::PostgreSql && s_[i_] == '/' && At(1) == '*') {
                ++depth;
                i_ += 2;
            } else {
                ++i_;
            }
        }
        if (depth > 0) out_.unterminated = true;
        Push(SqlTokenKind::Comment, s_.substr(start, i_ - start), start);
    }

    // $$...$$ or $tag$...$tag$; false (nothing read) for a "$1" parameter.
    bool DollarQuote() {
        std::size_t j = i_ + 1;
        if (j < n_ && s_[j] != '$') {
            if (!(IsAsciiAlpha(s_[j]) || s_[j] == '_' || IsHigh(s_[j]))) return false;
            while (j < n_ && (IsAsciiAlpha(s_[j]) || IsDigit(s_[j]) || s_[j] == '_' || IsHigh(s_[j]))) ++j;
            if (j >= n_ || s_[j] != '$') return false;
        }
        if (j >= n_) return false;
        const std::string tag = s_.substr(i_, j + 1 - i_);
        const std::size_t start = i_;
        const std::size_t close = s_.find(tag, j + 1);
        if (close == std::string::npos) {
            i_ = n_;
            out_.unterminated = true;
            Push(SqlTokenKind::String, s_.substr(j + 1), start);
        } else {
            i_ = close + tag.size();
            Push(SqlTokenKind::String, s_.substr(j + 1, close - j - 1), start);
        }
        return true;
    }

    void Number() {
        const std::size_t start = i_;
        while (i_ < n_ && IsDigit(s_[i_])) ++i_;
        if (i_ < n_ && s_[i_] == '.') {
            ++i_;
            while (i_ < n_ && IsDigit(s_[i_])) ++i_;
        }
        if (i_ < n_ && (s_[i_] == 'e' || s_[i_] == 'E')) {
            const std::size_t sign = i_ + 1 < n_ && (s_[i_ + 1] == '+' || s_[i_ + 1] == '-') ? 1 : 0;
            // PostgreSQL takes an exponent only with digits; an older server
            // reads the E of "1E'...'" as the start of an E'' string.
            if (dialect_ != SqlDialect::PostgreSql || IsDigit(At(1 + sign))) {
                i_ += 1 + sign;
                while (i_ < n_ && IsDigit(s_[i_])) ++i_;
            }
        }
        // "1abc" is junk to PostgreSQL 15, a number and a name to older servers.
        if (dialect_ == SqlDialect::PostgreSql && i_ < n_ && StartsWord(s_[i_])) out_.ambiguous = true;
        Push(SqlTokenKind::Number, s_.substr(start, i_ - start), start);
    }

    void Word() {
        const std::size_t start = i_++;
        while (i_ < n_ && ContinuesWord(s_[i_])) ++i_;
        Push(SqlTokenKind::Word, s_.substr(start, i_ - start), start);
    }

    const std::string& s_;
    const std::size_t n_;
    const SqlDialect dialect_;
    std::size_t i_ = 0;
    SqlTokens out_;
};

}  // namespace

SqlDialect DialectOfDriver(const std::string& shortName) {
    // Drivers that leave their attribute filters to OGR SQL.
    static constexpr std::array<std::string_view, 16> kOgrSql = {
        "ESRI Shapefile", "CSV", "Memory", "MEM", "GeoJSON", "GeoJSONSeq", "FlatGeobuf", "GPX", "KML", "LIBKML",
        "GML", "MapInfo File", "DXF", "OpenFileGDB", "ODS", "XLSX"};
    for (const std::string_view name : kOgrSql)
        if (shortName == name) return SqlDialect::OgrSql;
    if (shortName == "GPKG" || shortName == "SQLite") return SqlDialect::Sqlite;
    if (shortName == "PostgreSQL") return SqlDialect::PostgreSql;
    return SqlDialect::Unknown;
}

SqlTokens LexWhereClause(const std::string& clause, SqlDialect dialect) {
    if (dialect != SqlDialect::Unknown) return Lexer(clause, dialect).Run();
    SqlTokens out;
    for (std::size_t i = 0; i < clause.size(); ++i)
        out.tokens.push_back({SqlTokenKind::Symbol, std::string(1, clause[i]), i, i + 1});
    return out;
}

}  // namespace platform
