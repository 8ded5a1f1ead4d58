#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/data/Field.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/Row.h"

namespace platform {

// A table as the host's Table and DataClass interfaces see it: a field list
// and rows to search and count. Implemented by SourceTable (the raw data),
// TableView (the raw data seen through a definition expression) and by the
// map's layers and standalone tables, which forward to their view.
//
// The filter is borrowed for the call; nullptr means every row. A where
// clause the source rejects fails with ComError 0x80004005 at whichever call
// evaluates it first. Searches and counts are independent of each other: any
// number of cursors may be open on one table while it is counted or searched again.
class Table {
public:
    virtual ~Table() = default;

    virtual std::shared_ptr<const platform::Fields> Fields() const = 0;
    int FindField(const std::string& name) const { return Fields()->FindField(name); }
    virtual bool HasOID() const = 0;
    virtual std::string OIDFieldName() const = 0;

    virtual std::shared_ptr<Cursor> Search(const QueryFilter* filter, bool recycling) = 0;
    virtual std::int64_t RowCount(const QueryFilter* filter) = 0;
};

}  // namespace platform
