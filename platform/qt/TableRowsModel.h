#pragma once
#include <QAbstractTableModel>
#include <QHash>
#include <memory>
#include <set>
#include <vector>

#include "platform/data/Row.h"

namespace platform {
class Cursor;
class Table;
class TableFields;
}  // namespace platform

namespace platform::qt {

// The rows of a table (a layer's or standalone table's own view) for a table
// window: one column per field shown (visible in the layer's field settings,
// headed by its alias; no shape or blob columns), the rows read in batches as
// the view scrolls. A table that cannot be read shows no rows.
class TableRowsModel : public QAbstractTableModel {
public:
    // `fields` is the layer's presentation of its fields (may be null: all
    // fields by name).
    TableRowsModel(std::shared_ptr<Table> table, std::shared_ptr<TableFields> fields, QObject* parent = nullptr);
    ~TableRowsModel() override;

    // Reads the table again from its first row.
    void Reload();
    ObjectId OidAt(int row) const { return rows_[static_cast<std::size_t>(row)].oid; }
    // The row of an object ID among the rows read so far; -1 when not read.
    int RowOf(ObjectId oid) const { return rowOf_.value(oid, -1); }
    // Every object ID read so far.
    std::set<ObjectId> ReadIds() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Record {
        ObjectId oid;
        std::vector<QString> texts;
    };
    void ChooseColumns();
    void Open();

    std::shared_ptr<Table> table_;
    std::shared_ptr<TableFields> fields_;
    std::vector<int> columns_;  // field indices
    std::vector<QString> headers_;
    std::shared_ptr<Cursor> cursor_;
    std::vector<Record> rows_;
    QHash<ObjectId, int> rowOf_;
};

}  // namespace platform::qt
