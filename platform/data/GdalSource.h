#pragma once
// Adapter internals of SourceTable: how a table finds its GDAL layer and how a
// search reads it. Only platform/data's own sources include this header.
#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/data/DatasetPool.h"
#include "platform/data/SourceTable.h"
#include "platform/data/WhereClause.h"

namespace platform {

struct SourceTable::Impl {
    std::string path;
    std::string layerName;
    std::vector<std::string> openOptions;
    // The .dbf GDAL settles the types of by reading every record; empty when none.
    std::string adjustedDbase;
    // A Memory dataset cannot be opened again: this is its one handle, shared.
    std::shared_ptr<GDALDataset> memory;

    WorkspaceKind kind = WorkspaceKind::Other;
    SqlDialect dialect = SqlDialect::Unknown;
    std::string driverLongName;
    std::shared_ptr<const platform::Fields> fields;
    // Per field index: the GDAL field index, or -1 for the object ID and the shape.
    std::vector<int> gdalField;
    // Per field index: the GDAL field type (OFTInteger for the object ID and the shape).
    std::vector<OGRFieldType> gdalType;
    int shapeIndex = -1;
    // GDAL's PostgreSQL driver hands a result column to the first field whose
    // name matches without regard to case, so of "Name" and "NAME" one would
    // read the other's values: such a table is read through a query that
    // names every column apart (ReadByAlias).
    bool readsByAlias = false;
    // The layer's fields as GDAL described them when the table was opened:
    // a handle whose layer says otherwise (the file was rewritten with other
    // columns, or damaged) cannot be read through this table's field map.
    struct Column {
        std::string name;
        OGRFieldType type = OFTString;
        OGRFieldSubType subType = OFSTNone;
        int width = 0;
        bool operator==(const Column&) const = default;
    };
    struct Layout {
        std::vector<Column> columns;
        bool shape = false;
        bool operator==(const Layout&) const = default;
    };
    Layout layout;
    std::string oidName;
    platform::SpatialReference spatialReference;
    std::shared_ptr<platform::Workspace> workspace;

    // Idle handles on the data source, shared with the other tables of that
    // source; none for a Memory dataset.
    std::shared_ptr<DatasetPool> pool;

    // A reading position on the data: a handle of its own (from the pool) for
    // files and connections, the shared handle for a Memory dataset. When it
    // ends, the filters put on its layer are cleared and the handle goes back
    // to the pool, unless a failure was raised while it was in use: a handle
    // that failed (a lost connection, an aborted transaction) is closed.
    struct Handle {
        std::shared_ptr<DatasetPool> pool;
        GDALDatasetUniquePtr owned;
        OGRLayer* layer = nullptr;
        // The layer when it is a query's result: released, not cleared, at the end.
        OGRLayer* resultSet = nullptr;

        Handle() = default;
        // The moved-from handle lets go of the layer, so it clears nothing.
        Handle(Handle&& other) noexcept
            : pool(std::move(other.pool)), owned(std::move(other.owned)), layer(std::exchange(other.layer, nullptr)),
              resultSet(std::exchange(other.resultSet, nullptr)), unwinding_(other.unwinding_) {}
        Handle& operator=(Handle&&) = delete;
        ~Handle();
        // Closes the handle at its end instead of keeping it.
        void Discard() { pool.reset(); }

    private:
        int unwinding_ = std::uncaught_exceptions();
    };
    // A handle with the table's layer. Raises E_DATAUNREADABLE when the source
    // does not open (with GDAL's message), the layer is gone or its fields are
    // no longer those the table was opened with. While the table is being
    // opened, the source not opening is E_FAIL and a missing layer leaves the
    // handle's layer null.
    Handle Acquire(bool opening = false) const;
    bool Shared() const { return memory != nullptr; }

    // Reads the layer's description (fields, kind, spatial reference).
    void Describe(GDALDataset& dataset, OGRLayer& layer);
};

// What one search or count reads: its where clause (the definition expression
// and the filter's clause joined), the fields to fetch, whether shapes are
// needed, and the exact spatial test in the table's own coordinates.
struct ReadPlan {
    std::string where;
    std::vector<bool> fetch;
    bool geometry = false;
    std::unique_ptr<OGRGeometry> spatial;
};

std::shared_ptr<const ReadPlan> MakeReadPlan(const SourceTable::Impl& table, const QueryFilter* filter,
                      const std::string& definitionExpression);

// Joins two where clauses with AND; either may be empty. Each must be one
// closed expression in the dialect (RequireSingleClause), so neither can reach
// into the other; two clauses in an Unknown dialect are not joined (E_FAIL).
std::string JoinWhereClauses(const std::string& first, const std::string& second, SqlDialect dialect);

// A date as the where clauses of that kind of source compare it, unquoted.
std::string IsoDateText(WorkspaceKind kind, const DateParts& parts, DateColumn column);

// Evaluates an OGR SQL where clause feature by feature with SQLite, so that
// the answer is exact where OGR SQL's is not: OGR SQL compares text without
// regard to letter case and fails on a date column holding Nulls. Otherwise
// the clause means what it means to OGR SQL (ExactRowFilter.cpp lists how).
class ExactRowFilter {
public:
    // nullptr when OGR SQL's own answer is exact (another dialect, or a
    // clause that names no text or date field) or when the clause holds a
    // construct left to OGR SQL on purpose. A clause SQLite cannot take as
    // translated raises E_FAIL.
    static std::unique_ptr<ExactRowFilter> ForClause(const SourceTable::Impl& table, const std::string& where);
    virtual ~ExactRowFilter() = default;
    // An error while evaluating the clause raises E_FAIL.
    virtual bool Passes(const OGRFeature& feature) = 0;
};

// Feature by feature, the rows a plan selects.
class FeatureStream {
public:
    virtual ~FeatureStream() = default;
    virtual OGRFeatureUniquePtr Next() = 0;
};

// Evaluates the plan at once (a rejected where clause raises 0x80004005 here)
// and returns its rows.
std::unique_ptr<FeatureStream> OpenFeatureStream(const SourceTable::Impl& table, std::shared_ptr<const ReadPlan> plan);
std::int64_t CountFeatures(const SourceTable::Impl& table, std::shared_ptr<const ReadPlan> plan);
// Puts the plan on a fresh handle without reading: enough to check a where
// clause where the source's SQL (OGR SQL) compiles it as it is set.
void CompileFeatureFilter(const SourceTable::Impl& table, const ReadPlan& plan);

// A PostgreSQL boolean column reads as text, "true" or "false": the server
// compares a boolean with such a literal ('true') but not with a number, so
// values listed from it select their rows.
bool IsTextBoolean(const OGRFieldDefn& field, WorkspaceKind kind);

// The value of one GDAL field as the host reads it from data of that kind.
Variant ReadFieldValue(const OGRFeature& feature, int gdalField, WorkspaceKind kind);
// A feature ID as an Integer, or a LongLong past the 32-bit range.
Variant ObjectIdValue(GIntBig fid);

}  // namespace platform
