#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Dataset.h"
#include "platform/data/Envelope.h"
#include "platform/data/Table.h"
#include "platform/data/Workspace.h"

namespace platform {

// One table or feature class of a data source (a shapefile, a dBASE table, a
// layer of a GeoPackage, a CSV file, a PostGIS table, a GDAL Memory layer): the
// raw data, without any definition expression.
//
// Fields: the object-ID field first (type 6; "FID" for shapefiles, dBASE
// tables and sources without an ID column of their own, else that column's
// name), then "Shape" (type 7) when the data has shapes, then the attributes
// in file order. A PostgreSQL boolean column is a text field whose values are
// "true" and "false", the literals the server compares it with.
//
// Every cursor and count reads through a dataset handle of its own (an idle
// one kept for the data source when there is one), so they are independent of
// each other and of later changes to filters. The data are read-only. Share it with shared_ptr; views and selections keep it alive.
class SourceTable : public Table, public Dataset, public std::enable_shared_from_this<SourceTable> {
public:
    // Opens layerName ("" for the first layer) of the data source at path
    // (a file, a folder, or a GDAL connection string such as "PG:dbname=x").
    // A source or layer that does not open raises ComError E_FAIL with GDAL's
    // message; nothing is printed. Once open, data that can no longer be
    // opened or read make searches and counts raise E_DATAUNREADABLE.
    static std::shared_ptr<SourceTable> Open(const std::string& path, const std::string& layerName = {});

    ~SourceTable() override;
    SourceTable(const SourceTable&) = delete;
    SourceTable& operator=(const SourceTable&) = delete;

    const std::string& DataSourcePath() const;
    const std::string& LayerName() const;
    // "Shapefile Feature Class", "Personal Geodatabase Feature Class" (GeoPackage),
    // "SDE Feature Class" (PostgreSQL), else the driver's long name + " Feature Class".
    std::string DataSourceType() const;
    WorkspaceKind Kind() const;

    bool HasShape() const;
    // "Shape" for feature classes, "" for tables.
    std::string ShapeFieldName() const;
    platform::SpatialReference SpatialReference() const;
    // Of every row, in the table's spatial reference; empty without shapes or rows.
    platform::Envelope Extent() const;

    // Table
    std::shared_ptr<const platform::Fields> Fields() const override;
    bool HasOID() const override { return true; }
    std::string OIDFieldName() const override;
    std::shared_ptr<Cursor> Search(const QueryFilter* filter, bool recycling) override;
    std::int64_t RowCount(const QueryFilter* filter) override;

    // The same with a further clause ANDed to the filter's where clause (a
    // view's definition expression; "" for none).
    std::shared_ptr<Cursor> Search(const QueryFilter* filter, bool recycling, const std::string& definitionExpression);
    std::int64_t RowCount(const QueryFilter* filter, const std::string& definitionExpression);
    // Makes the source evaluate a where clause once; a rejected clause raises
    // ComError 0x80004005 with the source's message, data that cannot be
    // opened or read E_DATAUNREADABLE (WhereClause.h).
    void CheckWhereClause(const std::string& whereClause);
    // The value written as a literal of this source's where clauses, so that
    // `field = literal` selects exactly the rows holding it (WhereValueLiteral).
    // An unknown field raises E_INVALIDARG.
    std::string WhereLiteral(const std::string& fieldName, const Variant& value) const;
    // The same for many values of one field. Where the source keeps values
    // more exactly than a Variant carries them (a PostgreSQL numeric or
    // timestamp, a GeoPackage date-time written by another tool in another
    // form), the field's distinct texts are read once from the source here and
    // a value is written as the source's own text of it. Where several texts
    // read as one value (an instant with and without milliseconds, numerics a
    // double cannot tell apart), each is written, one literal for each text:
    // the writer appends the value's literals to the list it is given.
    using WhereLiterals = std::function<void(const Variant&, std::vector<std::string>&)>;
    WhereLiterals WhereLiteralWriter(const std::string& fieldName) const;

    // Dataset: the layer's name; the folder (shapefiles, dBASE tables) or the
    // data source itself (GeoPackage, CSV file, connection) as a workspace; a
    // TableName.
    std::string Name() const override;
    std::string BrowseName() const override;
    std::shared_ptr<platform::Workspace> Workspace() const override;
    std::shared_ptr<NameObject> FullName() const override;

    // For the GDAL adapter files only (Open and OpenMemoryLayer build tables).
    struct Impl;
    explicit SourceTable(std::unique_ptr<Impl> impl);
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
