// OGR SQL where clauses evaluated row by row with SQLite, so that text
// compares with its letter case and dates compare on columns holding Nulls.
//
// The clause is read as OGR SQL reads it (WhereLexer) and parsed with OGR
// SQL's grammar and precedence, then written out for SQLite so that it means
// what OGR SQL means:
//   - every field name is written quoted ("GROUP", "Höhe");
//   - a comparison or BETWEEN of numbers, and any IN, with a Null among its
//     operands is false, never Null (so NOT of it is true), as in OGR SQL;
//     one of texts or dates (LIKE too) is Null, so NOT of it is not true;
//   - AND, OR and NOT take Null as SQL does: OGR SQL makes an OR false when
//     either side is Null, so "DAY IS NULL OR DAY > '2001-05-09'" left out
//     the rows without a date; here they are in;
//   - a date or date-time field compares as a date with a text, parsed as
//     OGR SQL parses it ('2001/5/3', '2001-05-03 00:00:00', '...T...Z'),
//     with <> too (where OGR SQL compares the texts);
//   - SUBSTR counts bytes and CONCAT joins texts, as OGR SQL's do;
//   - text is compared as the host reads it (Windows-1252 bytes of a table
//     without a declared encoding as their letters);
//   - an error while evaluating (LIKE ... ESCAPE '', which OGR SQL takes as
//     no escape) fails the search.
// Left to OGR SQL on purpose, because the two SQLs do not share their
// meaning: ILIKE (case-blind by intent), CAST, LIKE on a date field, OGR's
// special fields (OGR_GEOMETRY, OGR_STYLE, ...), table-qualified names,
// functions other than SUBSTR and CONCAT, and nesting over 100 levels deep.
// Text compares case-exactly, which is where the answer differs from OGR SQL's.
#include <sqlite3.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/com/Hresult.h"
#include "platform/data/GdalSource.h"
#include "platform/data/GdalSupport.h"
#include "platform/data/TextCompare.h"
#include "platform/data/WhereClause.h"

namespace platform {

namespace {

std::string QuotedName(const std::string& name) { return QuotedText(name, '"'); }

const char* SqliteType(OGRFieldType type) {
    switch (type) {
    case OFTInteger:
    case OFTInteger64: return "INTEGER";
    case OFTReal: return "REAL";
    default: return "TEXT";
    }
}

// -1, 0 or 1 as OGR SQL orders two dates; Null when either is Null or is no date.
void CompareDates(sqlite3_context* context, int, sqlite3_value** values) {
    OGRField parsed[2];
    for (int i = 0; i < 2; ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[i]));
        if (sqlite3_value_type(values[i]) == SQLITE_NULL || text == nullptr || !OGRParseDate(text, &parsed[i], 0)) {
            sqlite3_result_null(context);
            return;
        }
    }
    const auto key = [](const OGRField& f) {
        return std::make_tuple(f.Date.Year, f.Date.Month, f.Date.Day, f.Date.Hour, f.Date.Minute, f.Date.Second);
    };
    const auto a = key(parsed[0]);
    const auto b = key(parsed[1]);
    sqlite3_result_int(context, a < b ? -1 : b < a ? 1 : 0);
}

// OGR SQL's SUBSTR: byte offsets from 1 (0 taken as 1, negative from the end).
void Substring(sqlite3_context* context, int count, sqlite3_value** values) {
    for (int i = 0; i < count; ++i)
        if (sqlite3_value_type(values[i]) == SQLITE_NULL) return sqlite3_result_null(context);
    const auto* source = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const std::string text = source ? source : "";
    const int length = static_cast<int>(text.size());
    long long offset = sqlite3_value_int64(values[1]);
    long long size = count > 2 ? sqlite3_value_int64(values[2]) : INT_MAX;
    if (offset > 0) --offset;
    else if (offset < 0) offset = length + offset >= 0 ? length + offset : 0;
    if (size < 0 || offset > length) offset = size = 0;
    else if (offset + size > length) size = length - offset;
    const std::string part = text.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
    sqlite3_result_text(context, part.c_str(), static_cast<int>(part.size()), SQLITE_TRANSIENT);
}

void Concatenate(sqlite3_context* context, int count, sqlite3_value** values) {
    std::string joined;
    for (int i = 0; i < count; ++i) {
        if (sqlite3_value_type(values[i]) == SQLITE_NULL) return sqlite3_result_null(context);
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[i]));
        if (text) joined += text;
    }
    sqlite3_result_text(context, joined.c_str(), static_cast<int>(joined.size()), SQLITE_TRANSIENT);
}

struct Column {
    int gdalField;  // -1: the object ID
    OGRFieldType type;
};

// A construct this translation leaves to OGR SQL.
struct LeftToOgrSql {};

// What an operand holds, as OGR SQL decides how a comparison treats Nulls.
enum class Holds { Number, Text, Date, Null };

struct Expression {
    std::string sql;
    Holds holds = Holds::Number;  // Booleans are numbers
    bool Textual() const { return holds == Holds::Text || holds == Holds::Date; }
};

// OGR SQL's where grammar, lowest precedence first: OR; AND; NOT;
// comparisons, [NOT] LIKE/IN/BETWEEN, IS [NOT] NULL; + -; * / %; unary -.
class Translator {
public:
    Translator(const SourceTable::Impl& table, std::vector<SqlToken> tokens)
        : table_(table), tokens_(std::move(tokens)) {
        std::erase_if(tokens_, [](const SqlToken& t) { return t.kind == SqlTokenKind::Comment; });
    }

    std::string Translate() {
        const Expression e = Or();
        if (pos_ != tokens_.size()) throw LeftToOgrSql{};
        return e.sql;
    }

    // The fields the clause names, in the order of the statement's parameters.
    const std::vector<std::pair<std::string, Column>>& Columns() const { return columns_; }
    bool NamesTextOrDate() const { return textOrDate_; }

private:
    const SqlToken* Peek(std::size_t ahead = 0) const {
        return pos_ + ahead < tokens_.size() ? &tokens_[pos_ + ahead] : nullptr;
    }
    bool IsSymbol(const char* symbol, std::size_t ahead = 0) const {
        const SqlToken* t = Peek(ahead);
        return t && t->kind == SqlTokenKind::Symbol && t->text == symbol;
    }
    bool IsKeyword(const char* word, std::size_t ahead = 0) const {
        const SqlToken* t = Peek(ahead);
        return t && t->kind == SqlTokenKind::Word && EqualsIgnoringCase(t->text, word);
    }
    void Expect(bool present) {
        if (!present) throw LeftToOgrSql{};
        ++pos_;
    }

    // Nesting deeper than this is left to OGR SQL, as the recursion here and
    // SQLite's own expression depth are bounded.
    static constexpr int kMaxDepth = 100;
    struct Deeper {
        explicit Deeper(int& depth) : depth_(depth) {
            if (++depth_ > kMaxDepth) {
                --depth_;
                throw LeftToOgrSql{};
            }
        }
        ~Deeper() { --depth_; }
        int& depth_;
    };

    // Operands joined left to right by a key word (AND, OR).
    template <class Operand>
    Expression Joined(const char* word, Operand operand) {
        Expression left = operand();
        while (IsKeyword(word)) {
            ++pos_;
            left = {"(" + left.sql + " " + word + " " + operand().sql + ")"};
        }
        return left;
    }
    Expression Or() {
        const Deeper deeper(depth_);
        return Joined("OR", [this] { return And(); });
    }
    Expression And() {
        return Joined("AND", [this] { return Not(); });
    }
    Expression Not() {
        if (!IsKeyword("NOT")) return Comparison();
        const Deeper deeper(depth_);
        ++pos_;
        return {"(NOT " + Not().sql + ")"};
    }

    // A comparison of numbers with a Null is false, one of texts or dates Null.
    static bool Textual(const std::vector<Expression>& operands) {
        for (const Expression& e : operands)
            if (e.Textual()) return true;
        return false;
    }
    static std::string Compared(const Expression& a, const std::string& op, const Expression& b) {
        if (a.holds == Holds::Date || b.holds == Holds::Date)
            return "(ogr_compare_dates(" + a.sql + ", " + b.sql + ") " + op + " 0)";
        if (a.Textual() || b.Textual()) return "(" + a.sql + " " + op + " " + b.sql + ")";
        return "coalesce(" + a.sql + " " + op + " " + b.sql + ", 0)";
    }
    // Null or false, as above, when any operand is Null; else `test`.
    static std::string NoNulls(const std::vector<Expression>& operands, const std::string& test, bool textual) {
        std::string sql = "(CASE WHEN ";
        for (std::size_t i = 0; i < operands.size(); ++i)
            sql += (i ? " OR " : "") + operands[i].sql + " IS NULL";
        return sql + " THEN " + (textual ? "NULL" : "0") + " ELSE coalesce(" + test + ", 0) END)";
    }

    std::optional<std::string> ComparisonOperator() {
        static const char* const kTwo[][3] = {{"<", ">", "<>"}, {"!", "=", "<>"}, {"<", "=", "<="}, {">", "=", ">="}};
        for (const auto& two : kTwo)
            if (IsSymbol(two[0]) && IsSymbol(two[1], 1)) {
                pos_ += 2;
                return two[2];
            }
        for (const char* one : {"=", "<", ">"})
            if (IsSymbol(one)) {
                ++pos_;
                return one;
            }
        return std::nullopt;
    }

    Expression Comparison() {
        Expression left = Additive();
        while (true) {
            if (const auto op = ComparisonOperator()) {
                left = {Compared(left, *op, Additive())};
                continue;
            }
            if (IsKeyword("IS")) {
                ++pos_;
                const bool negated = IsKeyword("NOT");
                if (negated) ++pos_;
                Expect(IsKeyword("NULL"));
                left = {"(" + left.sql + (negated ? " IS NOT NULL)" : " IS NULL)")};
                continue;
            }
            const bool negated = IsKeyword("NOT") && (IsKeyword("LIKE", 1) || IsKeyword("IN", 1) ||
                                                      IsKeyword("BETWEEN", 1) || IsKeyword("ILIKE", 1));
            if (negated) ++pos_;
            std::string test;
            if (IsKeyword("LIKE")) {
                ++pos_;
                if (left.holds == Holds::Date) throw LeftToOgrSql{};
                std::vector<Expression> operands = {left, Additive()};
                test = left.sql + " LIKE " + operands[1].sql;
                if (IsKeyword("ESCAPE")) {
                    ++pos_;
                    operands.push_back(Additive());
                    test += " ESCAPE " + operands[2].sql;
                }
                test = NoNulls(operands, test, true);
            } else if (IsKeyword("IN")) {
                ++pos_;
                Expect(IsSymbol("("));
                std::vector<Expression> operands = {left};
                do {
                    operands.push_back(Or());
                } while (IsSymbol(",") && ++pos_);
                Expect(IsSymbol(")"));
                for (std::size_t i = 1; i < operands.size(); ++i)
                    test += (i > 1 ? " OR " : "") + Compared(left, "=", operands[i]);
                // OGR SQL's IN is false with a Null anywhere, whatever the type.
                test = NoNulls(operands, "(" + test + ")", false);
            } else if (IsKeyword("BETWEEN")) {
                ++pos_;
                const Expression low = Additive();
                Expect(IsKeyword("AND"));
                const Expression high = Additive();
                test = NoNulls({left, low, high}, "(" + Compared(left, ">=", low) + " AND " + Compared(left, "<=", high) + ")",
                               Textual({left, low, high}));
            } else if (negated || IsKeyword("ILIKE")) {
                throw LeftToOgrSql{};
            } else {
                return left;
            }
            left = {negated ? "(NOT " + test + ")" : test};
        }
    }

    Expression Additive() {
        Expression left = Multiplicative();
        while (IsSymbol("+") || IsSymbol("-")) {
            const std::string op = Peek()->text;
            ++pos_;
            left = {"(" + left.sql + " " + op + " " + Multiplicative().sql + ")"};
        }
        return left;
    }
    Expression Multiplicative() {
        Expression left = Unary();
        while (IsSymbol("*") || IsSymbol("/") || IsSymbol("%")) {
            const std::string op = Peek()->text;
            ++pos_;
            left = {"(" + left.sql + " " + op + " " + Unary().sql + ")"};
        }
        return left;
    }
    Expression Unary() {
        if (!IsSymbol("-")) return Primary();
        const Deeper deeper(depth_);
        ++pos_;
        return {"(- " + Unary().sql + ")"};
    }

    Expression Primary() {
        const SqlToken* t = Peek();
        if (t == nullptr) throw LeftToOgrSql{};
        ++pos_;
        switch (t->kind) {
        case SqlTokenKind::Number: return {t->text};
        case SqlTokenKind::String: return {QuotedText(t->text, '\''), Holds::Text};
        case SqlTokenKind::QuotedName: return Field(t->text);
        case SqlTokenKind::Word:
            if (EqualsIgnoringCase(t->text, "NULL")) return {"NULL", Holds::Null};
            if (IsSymbol("(")) return Function(t->text);
            if (IsSymbol(".")) throw LeftToOgrSql{};
            return Field(t->text);
        case SqlTokenKind::Symbol:
            if (t->text == "(") {
                Expression inner = Or();
                Expect(IsSymbol(")"));
                inner.sql = "(" + inner.sql + ")";
                return inner;
            }
            break;
        case SqlTokenKind::Comment: break;
        }
        throw LeftToOgrSql{};
    }

    Expression Function(const std::string& name) {
        std::string function;
        if (EqualsIgnoringCase(name, "SUBSTR")) function = "ogr_substr";
        if (EqualsIgnoringCase(name, "CONCAT")) function = "ogr_concat";
        if (function.empty()) throw LeftToOgrSql{};
        Expect(IsSymbol("("));
        std::string sql = function + "(";
        if (!IsSymbol(")")) {
            do {
                sql += (sql.back() == '(' ? "" : ", ") + Or().sql;
            } while (IsSymbol(",") && ++pos_);
        }
        Expect(IsSymbol(")"));
        return {sql + ")", Holds::Text};
    }

    // OGR SQL finds a field by its name without regard to letter case.
    // A field of the data before the object ID of the same name.
    Expression Field(const std::string& name) {
        const Fields& fields = *table_.fields;
        for (int i = 0; i < fields.FieldCount(); ++i) {
            const int gdal = table_.gdalField[static_cast<std::size_t>(i)];
            if (gdal >= 0 && EqualsIgnoringCase(fields.Field(i)->Name(), name))
                return Named(fields.Field(i)->Name(), {gdal, table_.gdalType[static_cast<std::size_t>(i)]});
        }
        if (EqualsIgnoringCase(table_.oidName, name)) return Named(table_.oidName, {-1, OFTInteger64});
        throw LeftToOgrSql{};
    }
    Expression Named(const std::string& name, Column column) {
        const bool date = column.type == OFTDate || column.type == OFTDateTime;
        const bool number = column.type == OFTInteger || column.type == OFTInteger64 || column.type == OFTReal;
        textOrDate_ = textOrDate_ || !number;
        bool known = false;
        for (const auto& seen : columns_) known = known || seen.first == name;
        if (!known) columns_.push_back({name, column});
        return {QuotedName(name), date ? Holds::Date : number ? Holds::Number : Holds::Text};
    }

    const SourceTable::Impl& table_;
    std::vector<SqlToken> tokens_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    std::vector<std::pair<std::string, Column>> columns_;
    bool textOrDate_ = false;
};

class SqliteRowFilter : public ExactRowFilter {
public:
    SqliteRowFilter(sqlite3* db, sqlite3_stmt* statement, std::vector<Column> columns, WorkspaceKind kind)
        : db_(db), statement_(statement), columns_(std::move(columns)), kind_(kind) {}
    ~SqliteRowFilter() override {
        sqlite3_finalize(statement_);
        sqlite3_close(db_);
    }

    bool Passes(const OGRFeature& feature) override {
        sqlite3_reset(statement_);
        for (std::size_t i = 0; i < columns_.size(); ++i) Bind(static_cast<int>(i) + 1, feature, columns_[i]);
        const int step = sqlite3_step(statement_);
        if (step != SQLITE_ROW) {
            const std::string message = sqlite3_errmsg(db_);
            sqlite3_reset(statement_);
            throw DataError(E_FAIL, "The where clause failed: " + message);
        }
        const bool passes = sqlite3_column_int(statement_, 0) != 0;
        sqlite3_reset(statement_);
        return passes;
    }

private:
    void Bind(int at, const OGRFeature& feature, const Column& column) {
        if (column.gdalField < 0) {
            sqlite3_bind_int64(statement_, at, feature.GetFID());
            return;
        }
        const int field = column.gdalField;
        if (!feature.IsFieldSetAndNotNull(field)) {
            sqlite3_bind_null(statement_, at);
            return;
        }
        switch (column.type) {
        case OFTInteger:
        case OFTInteger64: sqlite3_bind_int64(statement_, at, feature.GetFieldAsInteger64(field)); return;
        case OFTReal: sqlite3_bind_double(statement_, at, feature.GetFieldAsDouble(field)); return;
        case OFTDate:
        case OFTDateTime: {
            int year = 0, month = 0, day = 0, hour = 0, minute = 0, zone = 0;
            float second = 0;
            feature.GetFieldAsDateTime(field, &year, &month, &day, &hour, &minute, &second, &zone);
            const DateParts parts{year, month, day, hour, minute, std::round(second * 1000.0) / 1000.0};
            const std::string text = IsoDateText(
                kind_, parts, column.type == OFTDateTime ? DateColumn::DateTime : DateColumn::Date);
            sqlite3_bind_text(statement_, at, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            return;
        }
        case OFTBinary: sqlite3_bind_null(statement_, at); return;
        default: {
            // The text as the host reads it: a table without a declared
            // encoding may hold Windows-1252 bytes, which compare as the
            // letters they stand for.
            const std::string text = TextFromSource(feature.GetFieldAsString(field));
            sqlite3_bind_text(statement_, at, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            return;
        }
        }
    }

    sqlite3* db_;
    sqlite3_stmt* statement_;
    std::vector<Column> columns_;
    WorkspaceKind kind_;
};

}  // namespace

std::unique_ptr<ExactRowFilter> ExactRowFilter::ForClause(const SourceTable::Impl& table, const std::string& where) {
    if (table.dialect != SqlDialect::OgrSql || TrimBlanks(where).empty()) return nullptr;
    Translator translator(table, LexWhereClause(where, SqlDialect::OgrSql).tokens);
    std::string expression;
    try {
        expression = translator.Translate();
    } catch (const LeftToOgrSql&) {
        return nullptr;
    }
    if (!translator.NamesTextOrDate()) return nullptr;  // OGR SQL's answer is exact

    std::string select;
    std::vector<Column> columns;
    for (const auto& [name, column] : translator.Columns()) {
        const bool date = column.type == OFTDate || column.type == OFTDateTime;
        select += std::string(select.empty() ? "" : ", ") + "CAST(? AS " + (date ? "TEXT" : SqliteType(column.type)) +
                  ") AS " + QuotedName(name);
        columns.push_back(column);
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw DataError(E_FAIL, "The where clause could not be evaluated: no SQLite database");
    }
    // LIKE compares letter case, as "=" does.
    sqlite3_exec(db, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "ogr_compare_dates", 2, flags, nullptr, CompareDates, nullptr, nullptr);
    sqlite3_create_function(db, "ogr_substr", 2, flags, nullptr, Substring, nullptr, nullptr);
    sqlite3_create_function(db, "ogr_substr", 3, flags, nullptr, Substring, nullptr, nullptr);
    sqlite3_create_function(db, "ogr_concat", -1, flags, nullptr, Concatenate, nullptr, nullptr);
    const std::string sql = "SELECT coalesce(" + expression + ", 0) FROM (SELECT " + select + ")";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK ||
        statement == nullptr) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_finalize(statement);
        sqlite3_close(db);
        throw DataError(E_FAIL, "The where clause could not be evaluated exactly: " + message);
    }
    return std::make_unique<SqliteRowFilter>(db, statement, std::move(columns), table.kind);
}

}  // namespace platform
