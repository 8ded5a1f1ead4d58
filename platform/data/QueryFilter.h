#pragma once
#include <string>
#include <vector>

#include "platform/data/Geometry.h"

namespace platform {

// Which rows a search, count or selection takes, and which fields it reads.
// A plain settings object: the searches read it when called and keep no
// reference to it. Type-test a filter with dynamic_cast to SpatialFilter.
// Properties read as X() and are set as X(value), as the host's are.
class QueryFilter {
public:
    virtual ~QueryFilter() = default;

    // In the data source's own dialect, "" for every row. Evaluated by the
    // source at the call that uses it; a clause the source rejects fails there
    // with ComError 0x80004005.
    const std::string& WhereClause() const { return whereClause_; }
    void WhereClause(std::string clause) { whereClause_ = std::move(clause); }

    // Field names separated by commas, or "*" (the default) for all. Only these
    // are read (the object ID always is); the rows still carry the full field list.
    const std::string& SubFields() const { return subFields_; }
    void SubFields(std::string fields) { subFields_ = std::move(fields); }
    // SubFields as a list: empty for "*" (all), else the trimmed names.
    std::vector<std::string> SubFieldList() const;

private:
    std::string whereClause_;
    std::string subFields_ = "*";
};

namespace spatialrel {
inline constexpr int Undefined = 0;
inline constexpr int Intersects = 1;  // the only relation sources evaluate
}  // namespace spatialrel

// A query filter with a shape: rows whose shape stands in SpatialRel to
// Geometry. GeometryField "Shape" (or the table's own shape field name) means
// the table's shape on every feature class. The geometry may be in any
// spatial reference; sources project it into their own. A relation other
// than Intersects fails with ComError E_NOTIMPL; a spatial filter on a table
// without shapes fails with E_INVALIDARG.
class SpatialFilter : public QueryFilter {
public:
    const platform::Geometry& Geometry() const { return geometry_; }
    void Geometry(platform::Geometry geometry) { geometry_ = std::move(geometry); }
    const std::string& GeometryField() const { return geometryField_; }
    void GeometryField(std::string name) { geometryField_ = std::move(name); }
    int SpatialRel() const { return spatialRel_; }
    void SpatialRel(int rel) { spatialRel_ = rel; }

private:
    platform::Geometry geometry_;
    std::string geometryField_;
    int spatialRel_ = spatialrel::Undefined;
};

}  // namespace platform
