// Where clauses evaluated row by row with SQLite, for sources whose own SQL
// answers inexactly.
#include <sqlite3.h>

#include <cmath>

#include "platform/data/GdalSource.h"
#include "platform/data/TextCompare.h"
#include "platform/data/WhereClause.h"

namespace platform {

namespace {

bool SpeaksOgrSql(WorkspaceKind kind) { return kind == WorkspaceKind::Folder || kind == WorkspaceKind::Other; }

std::string QuotedName(const std::string& name) { return QuotedText(name, '"'); }

const char* SqliteType(OGRFieldType type) {
    switch (type) {
    case OFTInteger:
    case OFTInteger64: return "INTEGER";
    case OFTReal: return "REAL";
    default: return "TEXT";
    }
}

// Dates compare as ISO text, with the separators OGR SQL also reads
// ('2001/05/03', '2001/05/03 10:20:30') taken as the ISO ones.
int CompareDates(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const auto mapped = [](char c) { return c == '/' ? '-' : c == 'T' ? ' ' : c; };
    const auto* textA = static_cast<const char*>(a);
    const auto* textB = static_cast<const char*>(b);
    for (int i = 0; i < lengthA && i < lengthB; ++i) {
        const auto x = static_cast<unsigned char>(mapped(textA[i]));
        const auto y = static_cast<unsigned char>(mapped(textB[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return lengthA == lengthB ? 0 : lengthA < lengthB ? -1 : 1;
}

struct Column {
    int gdalField;  // -1: the object ID
    OGRFieldType type;
};

class SqliteRowTest : public RowTest {
public:
    SqliteRowTest(sqlite3* db, sqlite3_stmt* statement, std::vector<Column> columns, WorkspaceKind kind)
        : db_(db), statement_(statement), columns_(std::move(columns)), kind_(kind) {}
    ~SqliteRowTest() override {
        sqlite3_finalize(statement_);
        sqlite3_close(db_);
    }

    bool Passes(const OGRFeature& feature) override {
        sqlite3_reset(statement_);
        for (std::size_t i = 0; i < columns_.size(); ++i) Bind(static_cast<int>(i) + 1, feature, columns_[i]);
        const bool passes = sqlite3_step(statement_) == SQLITE_ROW && sqlite3_column_int(statement_, 0) != 0;
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
        default: sqlite3_bind_text(statement_, at, feature.GetFieldAsString(field), -1, SQLITE_TRANSIENT); return;
        }
    }

    sqlite3* db_;
    sqlite3_stmt* statement_;
    std::vector<Column> columns_;
    WorkspaceKind kind_;
};

}  // namespace

std::unique_ptr<RowTest> RowTest::ForClause(const SourceTable::Impl& table, const std::string& where) {
    if (!SpeaksOgrSql(table.kind) || TrimBlanks(where).empty()) return nullptr;
    const Fields& fields = *table.fields;
    bool inexact = false;
    std::vector<Column> columns;
    std::string select;
    bool oidIsAField = false;
    for (int i = 0; i < fields.FieldCount(); ++i) {
        const int gdal = table.gdalField[static_cast<std::size_t>(i)];
        const std::string& name = fields.Field(i)->Name();
        if (gdal < 0 || !ClauseNamesField(where, name)) continue;
        const OGRFieldType type = table.gdalType[static_cast<std::size_t>(i)];
        if (type != OFTInteger && type != OFTInteger64 && type != OFTReal) inexact = true;
        oidIsAField = oidIsAField || EqualsIgnoringCase(name, table.oidName);
        const bool date = type == OFTDate || type == OFTDateTime;
        select += std::string(select.empty() ? "" : ", ") + "CAST(? AS " + SqliteType(type) + ")" +
                  (date ? " COLLATE ISODATE" : "") + " AS " + QuotedName(name);
        columns.push_back({gdal, type});
    }
    if (!inexact) return nullptr;
    if (!oidIsAField && ClauseNamesField(where, table.oidName)) {
        select += ", CAST(? AS INTEGER) AS " + QuotedName(table.oidName);
        columns.push_back({-1, OFTInteger64});
    }

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    // LIKE compares letter case, as the source's own SQL does.
    sqlite3_exec(db, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr);
    sqlite3_create_collation_v2(db, "ISODATE", SQLITE_UTF8, nullptr, CompareDates, nullptr);
    const std::string sql = "SELECT coalesce((" + where + "\n), 0) FROM (SELECT " + select + ")";
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement, &tail) != SQLITE_OK ||
        statement == nullptr || !TrimBlanks(tail ? tail : "").empty()) {
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return nullptr;
    }
    return std::make_unique<SqliteRowTest>(db, statement, std::move(columns), table.kind);
}

}  // namespace platform
