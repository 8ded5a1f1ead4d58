#pragma once
#include <memory>
#include <string>

#include "platform/data/Dataset.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/Table.h"
#include "platform/map/BoundTable.h"
#include "platform/map/HostObject.h"
#include "platform/map/TableDefinition.h"
#include "platform/map/TableFields.h"

namespace platform {

// A table of a map without shapes of its own on the map. Like a feature layer
// it is its own Table view (through its definition expression), TableSelection,
// TableDefinition, TableFields and Dataset; Table() is the raw table behind it.
// The same object may stand in several maps.
//
// Created empty (invalid, as the host's class is) and given its data with
// Table(table), or opened from a data source; data that do not open leave it
// invalid, with its description kept.
class StandaloneTable : public HostObject,
                        public platform::Table,
                        public TableSelection,
                        public TableDefinition,
                        public TableFields,
                        public Dataset {
public:
    StandaloneTable() = default;
    // Opens tableName ("" for the first) of the data source at path; the name
    // defaults to the data's. Never raises for data that do not open: the
    // table is then invalid.
    static std::shared_ptr<StandaloneTable> Open(const std::string& name, const std::string& path,
                                                 const std::string& tableName = {},
                                                 const std::string& definitionExpression = {});

    // The name shown; until one is given, the data's name.
    std::string Name() const override { return name_; }
    void Name(std::string name) { name_ = std::move(name); }
    bool Valid() const { return data_.Valid(); }

    // The raw table, without the definition expression; null while invalid.
    std::shared_ptr<platform::Table> Table() const;
    // Gives the object its data: a source table, or a view (its source and
    // expression are taken). Anything else raises ComError E_INVALIDARG. The
    // selection starts empty.
    void Table(const std::shared_ptr<platform::Table>& table);

    const std::string& DataSourcePath() const { return data_.DataSourcePath(); }
    const std::string& DataLayerName() const { return data_.DataLayerName(); }
    const std::string& OpenError() const { return data_.OpenError(); }

    // Table (the view)
    std::shared_ptr<const platform::Fields> Fields() const override;
    bool HasOID() const override;
    std::string OIDFieldName() const override;
    std::shared_ptr<Cursor> Search(const QueryFilter* filter, bool recycling) override;
    std::int64_t RowCount(const QueryFilter* filter) override;

    // TableSelection
    std::shared_ptr<platform::SelectionSet> SelectionSet() override { return data_.Selection(); }
    void SelectRows(const QueryFilter* filter, int method, bool justOne) override;
    void Clear() override { data_.ClearSelection(); }
    void SelectionChanged() override;

    // TableDefinition
    std::string DefinitionExpression() const override { return data_.DefinitionExpression(); }
    void DefinitionExpression(std::string expression) override;

    // TableFields
    int FieldCount() const override { return data_.FieldCount(); }
    std::shared_ptr<const platform::Field> Field(int index) const override { return data_.FieldAt(index); }
    std::shared_ptr<platform::FieldInfo> FieldInfo(int index) const override { return data_.FieldInfoAt(index); }

    // Dataset: the data's workspace and full name (none while invalid).
    std::string BrowseName() const override;
    std::shared_ptr<platform::Workspace> Workspace() const override;
    std::shared_ptr<NameObject> FullName() const override;

    std::vector<BoundTable::FieldSetting> FieldSettings() const { return data_.FieldSettings(); }
    void FieldSettings(const std::vector<BoundTable::FieldSetting>& settings) { data_.FieldSettings(settings); }
    const std::shared_ptr<TableView>& View() const { return data_.View(); }

private:
    std::string name_;
    BoundTable data_;
};

}  // namespace platform
