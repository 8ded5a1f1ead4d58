#include "platform/data/SelectionSet.h"

#include <algorithm>
#include <iterator>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform {

namespace {

// The rows of a table search that are in a set of IDs taken when it opened.
class SelectedRowsCursor : public Cursor {
public:
    SelectedRowsCursor(std::shared_ptr<Cursor> rows, std::set<ObjectId> ids)
        : rows_(std::move(rows)), ids_(std::move(ids)) {}

    std::shared_ptr<Row> NextRow() override {
        if (ids_.empty()) return nullptr;
        while (auto row = rows_->NextRow())
            if (ids_.count(row->OID()) != 0) return row;
        return nullptr;
    }
    std::shared_ptr<const platform::Fields> Fields() const override { return rows_->Fields(); }

private:
    std::shared_ptr<Cursor> rows_;
    std::set<ObjectId> ids_;
};

}  // namespace

SelectionSet::SelectionSet(std::shared_ptr<Table> table) : table_(std::move(table)) {
    if (!table_) throw ComError(E_POINTER, "Tessaly.Data", "A selection needs a table");
}

std::shared_ptr<Cursor> SelectionSet::Search(const QueryFilter* filter, bool recycling) {
    return std::make_shared<SelectedRowsCursor>(table_->Search(filter, recycling), ids_);
}

std::set<ObjectId> SelectionSet::MatchingIds(const QueryFilter* filter) const {
    // Only the object IDs are read (and the shape, when a spatial filter needs it).
    std::unique_ptr<QueryFilter> idsOnly;
    if (auto spatial = dynamic_cast<const SpatialFilter*>(filter))
        idsOnly = std::make_unique<SpatialFilter>(*spatial);
    else if (filter)
        idsOnly = std::make_unique<QueryFilter>(*filter);
    else
        idsOnly = std::make_unique<QueryFilter>();
    idsOnly->SubFields(table_->OIDFieldName());
    std::set<ObjectId> ids;
    auto cursor = table_->Search(idsOnly.get(), true);
    // Rows mostly come in ID order: the end is the place to look first.
    while (auto row = cursor->NextRow()) ids.insert(ids.end(), row->OID());
    return ids;
}

void SelectionSet::Select(const QueryFilter* filter, int method) {
    if (method < selectionresult::New || method > selectionresult::Xor)
        throw ComError(E_INVALIDARG, "Tessaly.Data", "Unknown selection method " + std::to_string(method));
    Combine(MatchingIds(filter), method);
}

void SelectionSet::Combine(std::set<ObjectId> ids, int method) {
    std::set<ObjectId> result;
    switch (method) {
    case selectionresult::New: result = std::move(ids); break;
    case selectionresult::Add: std::set_union(ids_.begin(), ids_.end(), ids.begin(), ids.end(), std::inserter(result, result.end())); break;
    case selectionresult::Subtract: std::set_difference(ids_.begin(), ids_.end(), ids.begin(), ids.end(), std::inserter(result, result.end())); break;
    case selectionresult::And: std::set_intersection(ids_.begin(), ids_.end(), ids.begin(), ids.end(), std::inserter(result, result.end())); break;
    case selectionresult::Xor: std::set_symmetric_difference(ids_.begin(), ids_.end(), ids.begin(), ids.end(), std::inserter(result, result.end())); break;
    default: throw ComError(E_INVALIDARG, "Tessaly.Data", "Unknown selection method " + std::to_string(method));
    }
    ids_ = std::move(result);
}

void SelectionSet::KeepOnlyTableRows() {
    if (ids_.empty()) return;
    Combine(MatchingIds(nullptr), selectionresult::And);
}

}  // namespace platform
