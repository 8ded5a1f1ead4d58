#pragma once
#include <cstdint>
#include <memory>
#include <set>

#include "platform/data/Table.h"

namespace platform {

// How a new set of rows combines with the current selection.
namespace selectionresult {
inline constexpr int New = 0;       // replace
inline constexpr int Add = 1;       // union
inline constexpr int Subtract = 2;  // remove the matches
inline constexpr int And = 3;       // keep only the selected rows that match
inline constexpr int Xor = 4;       // flip the matches
}  // namespace selectionresult

// A set of object IDs over one table (for a layer or standalone table: its
// view, so the definition expression limits what can be selected). Kept in
// memory only. The selection holds its table alive; it does not watch it: a
// definition expression that hides selected rows leaves them in the set
// (Count includes them; Search yields only the rows the table shows).
class SelectionSet {
public:
    explicit SelectionSet(std::shared_ptr<Table> table);

    const std::shared_ptr<Table>& Target() const { return table_; }
    std::int64_t Count() const { return static_cast<std::int64_t>(ids_.size()); }
    const std::set<ObjectId>& IDs() const { return ids_; }
    bool Contains(ObjectId id) const { return ids_.count(id) != 0; }

    // The selected rows of the table that pass the filter (nullptr: all
    // selected rows), in table order. Independent of later selection changes.
    std::shared_ptr<Cursor> Search(const QueryFilter* filter, bool recycling);

    void Add(ObjectId id) { ids_.insert(id); }
    void Remove(ObjectId id) { ids_.erase(id); }
    void Clear() { ids_.clear(); }
    // Combines the rows of the table that pass the filter (nullptr: every row)
    // by a selectionresult method; another method raises ComError E_INVALIDARG.
    // The filter is evaluated before anything changes, so a rejected where
    // clause (0x80004005) leaves the selection as it was.
    void Select(const QueryFilter* filter, int method);
    void Combine(std::set<ObjectId> ids, int method);
    // Drops IDs of rows the table no longer shows.
    void KeepOnlyTableRows();

private:
    std::set<ObjectId> MatchingIds(const QueryFilter* filter) const;

    std::shared_ptr<Table> table_;
    std::set<ObjectId> ids_;
};

// The host's TableSelection view: implemented by map layers and standalone
// tables, which keep their own selection; read by the geoprocessor for
// "selected records only".
class TableSelection {
public:
    virtual ~TableSelection() = default;
    // The current selection; may be nullptr where nothing keeps one.
    virtual std::shared_ptr<platform::SelectionSet> SelectionSet() = 0;
    virtual void SelectRows(const QueryFilter* filter, int method, bool justOne) = 0;
    virtual void Clear() = 0;
    virtual void SelectionChanged() = 0;
};

}  // namespace platform
