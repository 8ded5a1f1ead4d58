#include "platform/qt/TableRowsModel.h"

#include <QLocale>

#include "platform/com/ComError.h"
#include "platform/data/Table.h"
#include "platform/map/TableFields.h"
#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

constexpr int kBatch = 500;

// Every number of a table window by one rule, whatever its type: the user's
// decimal sign and no grouping, so "1838" and "318,5" stand side by side as
// they are read back.
QString CellText(const Variant& value) {
    if (value.IsNull()) return QStringLiteral("<Null>");
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (value.IsDouble()) return locale.toString(value.AsDouble(), 'g', 15);
    if (value.IsInteger()) return locale.toString(value.AsInteger());
    if (value.IsLongLong()) return locale.toString(static_cast<qlonglong>(value.AsLongLong()));
    return ToQString(value.ToText());
}

}  // namespace

TableRowsModel::TableRowsModel(std::shared_ptr<Table> table, std::shared_ptr<TableFields> fields, QObject* parent)
    : QAbstractTableModel(parent), table_(std::move(table)), fields_(std::move(fields)) {
    ChooseColumns();
    Open();
}

TableRowsModel::~TableRowsModel() = default;

void TableRowsModel::ChooseColumns() {
    columns_.clear();
    headers_.clear();
    std::shared_ptr<const Fields> list;
    try {
        list = table_->Fields();
    } catch (const ComError&) {
        return;  // data that did not open: no columns
    }
    for (int i = 0; i < list->FieldCount(); ++i) {
        const auto& field = list->Field(i);
        if (field->Type() == fieldtype::Geometry || field->Type() == fieldtype::Blob) continue;
        QString header = ToQString(field->Name());
        if (fields_ && i < fields_->FieldCount()) {
            const auto info = fields_->FieldInfo(i);
            if (!info->Visible()) continue;
            header = ToQString(info->Alias());
        }
        columns_.push_back(i);
        headers_.push_back(header);
    }
}

void TableRowsModel::Open() {
    rows_.clear();
    rowOf_.clear();
    cursor_.reset();
    try {
        cursor_ = table_->Search(nullptr, true);
    } catch (const ComError&) {
        cursor_.reset();  // a table that cannot be read shows no rows
    }
}

void TableRowsModel::Reload() {
    beginResetModel();
    ChooseColumns();
    Open();
    endResetModel();
}

std::set<ObjectId> TableRowsModel::ReadIds() const {
    std::set<ObjectId> ids;
    for (const Record& record : rows_) ids.insert(record.oid);
    return ids;
}

int TableRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TableRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TableRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return rows_[static_cast<std::size_t>(index.row())].texts[static_cast<std::size_t>(index.column())];
}

QVariant TableRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return QAbstractTableModel::headerData(section, orientation, role);
    return headers_[static_cast<std::size_t>(section)];
}

bool TableRowsModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && cursor_ != nullptr; }

void TableRowsModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !cursor_) return;
    std::vector<Record> batch;
    try {
        while (static_cast<int>(batch.size()) < kBatch) {
            const std::shared_ptr<Row> row = cursor_->NextRow();
            if (!row) {
                cursor_.reset();
                break;
            }
            Record record{row->OID(), {}};
            record.texts.reserve(columns_.size());
            for (int field : columns_) record.texts.push_back(CellText(row->Value(field)));
            batch.push_back(std::move(record));
        }
    } catch (const ComError&) {
        cursor_.reset();
    }
    if (batch.empty()) return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
    for (Record& record : batch) {
        rowOf_.insert(record.oid, static_cast<int>(rows_.size()));
        rows_.push_back(std::move(record));
    }
    endInsertRows();
}

}  // namespace platform::qt
