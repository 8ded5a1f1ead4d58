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
    SelectedRowsCursor(std::shared_ptr<Cursor> rows, ObjectIds ids)
        : rows_(std::move(rows)), ids_(std::move(ids)) {}

    std::shared_ptr<Row> NextRow() override {
        if (ids_.empty()) return nullptr;
        while (auto row = rows_->NextRow())
            if (std::binary_search(ids_.begin(), ids_.end(), row->OID())) return row;
        return nullptr;
    }
    std::shared_ptr<const platform::Fields> Fields() const override { return rows_->Fields(); }

private:
    std::shared_ptr<Cursor> rows_;
    ObjectIds ids_;
};

void SortOnce(ObjectIds& ids) {
    if (!std::is_sorted(ids.begin(), ids.end())) std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
}

}  // namespace

SelectionSet::SelectionSet(std::shared_ptr<Table> table) : table_(std::move(table)) {
    if (!table_) throw ComError(E_POINTER, "Tessaly.Data", "A selection needs a table");
}

std::shared_ptr<Cursor> SelectionSet::Search(const QueryFilter* filter, bool recycling) {
    return std::make_shared<SelectedRowsCursor>(table_->Search(filter, recycling), ids_);
}

bool SelectionSet::Contains(ObjectId id) const { return std::binary_search(ids_.begin(), ids_.end(), id); }

void SelectionSet::Add(ObjectId id) {
    const auto at = std::lower_bound(ids_.begin(), ids_.end(), id);
    if (at == ids_.end() || *at != id) ids_.insert(at, id);
}

void SelectionSet::Remove(ObjectId id) {
    const auto at = std::lower_bound(ids_.begin(), ids_.end(), id);
    if (at != ids_.end() && *at == id) ids_.erase(at);
}

ObjectIds SelectionSet::MatchingIds(const QueryFilter* filter) const {
    // Only the object IDs are read (and the shape, when a spatial filter needs it).
    std::unique_ptr<QueryFilter> idsOnly;
    if (auto spatial = dynamic_cast<const SpatialFilter*>(filter))
        idsOnly = std::make_unique<SpatialFilter>(*spatial);
    else if (filter)
        idsOnly = std::make_unique<QueryFilter>(*filter);
    else
        idsOnly = std::make_unique<QueryFilter>();
    idsOnly->SubFields(table_->OIDFieldName());
    ObjectIds ids;
    auto cursor = table_->Search(idsOnly.get(), true);
    while (auto row = cursor->NextRow()) ids.push_back(row->OID());
    SortOnce(ids);
    return ids;
}

void SelectionSet::Select(const QueryFilter* filter, int method) {
    if (method < selectionresult::New || method > selectionresult::Xor)
        throw ComError(E_INVALIDARG, "Tessaly.Data", "Unknown selection method " + std::to_string(method));
    Combine(MatchingIds(filter), method);
}

void SelectionSet::Combine(ObjectIds ids, int method) {
    SortOnce(ids);
    ObjectIds result;
    const auto into = std::back_inserter(result);
    switch (method) {
    case selectionresult::New: result = std::move(ids); break;
    case selectionresult::Add: std::set_union(ids_.begin(), ids_.end(), ids.begin(), ids.end(), into); break;
    case selectionresult::Subtract: std::set_difference(ids_.begin(), ids_.end(), ids.begin(), ids.end(), into); break;
    case selectionresult::And: std::set_intersection(ids_.begin(), ids_.end(), ids.begin(), ids.end(), into); break;
    case selectionresult::Xor:
        std::set_symmetric_difference(ids_.begin(), ids_.end(), ids.begin(), ids.end(), into);
        break;
    default: throw ComError(E_INVALIDARG, "Tessaly.Data", "Unknown selection method " + std::to_string(method));
    }
    ids_ = std::move(result);
}

void SelectionSet::KeepOnlyTableRows() {
    if (ids_.empty()) return;
    Combine(MatchingIds(nullptr), selectionresult::And);
}

}  // namespace platform
