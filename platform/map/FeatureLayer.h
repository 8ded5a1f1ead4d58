#pragma once
#include <memory>
#include <string>

#include "platform/data/Dataset.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/Table.h"
#include "platform/map/BoundTable.h"
#include "platform/map/FeatureSelection.h"
#include "platform/map/Layer.h"
#include "platform/map/TableDefinition.h"
#include "platform/map/TableFields.h"

namespace platform {

// A layer that shows the features of one data source. The object is also its
// own Table view (the data through its definition expression), its
// TableSelection and FeatureSelection (a selection of its own, in memory), its
// TableDefinition, its TableFields/LayerFields and its Dataset.
//
// A layer whose data did not open stays a layer with Valid false: it keeps its
// name, data source and settings; it has no fields and no selection, and its
// searches, counts and selections raise ComError E_FAIL.
class FeatureLayer : public Layer,
                     public Table,
                     public TableSelection,
                     public FeatureSelection,
                     public TableDefinition,
                     public TableFields,
                     public Dataset {
public:
    // Opens layerName ("" for the first) of the data source at path; the name
    // defaults to the data's. Never raises for data that do not open: the
    // layer is then invalid.
    static std::shared_ptr<FeatureLayer> Open(const std::string& name, const std::string& path,
                                              const std::string& layerName = {},
                                              const std::string& definitionExpression = {});
    // A layer over data opened already; the name defaults to the data's name.
    static std::shared_ptr<FeatureLayer> FromTable(std::shared_ptr<SourceTable> source, std::string name = {});

    // Layer (and Dataset: a layer's dataset name is its own name)
    std::string Name() const override { return Layer::Name(); }
    void Name(std::string name) override { Layer::Name(std::move(name)); }
    bool Valid() const override { return data_.Valid(); }
    platform::SpatialReference SpatialReference() const override;
    Envelope AreaOfInterest() const override;

    // The kind of data: "Shapefile Feature Class", "Personal Geodatabase
    // Feature Class" (GeoPackage), "SDE Feature Class" (PostgreSQL), else the
    // driver's long name + " Feature Class"; "" when the data did not open.
    std::string DataSourceType() const;
    // Where the data come from, as opened (an absolute path or a connection).
    const std::string& DataSourcePath() const { return data_.DataSourcePath(); }
    const std::string& DataLayerName() const { return data_.DataLayerName(); }
    // Why the data did not open ("" when valid).
    const std::string& OpenError() const { return data_.OpenError(); }

    // Table
    std::shared_ptr<const platform::Fields> Fields() const override;
    bool HasOID() const override;
    std::string OIDFieldName() const override;
    std::shared_ptr<Cursor> Search(const QueryFilter* filter, bool recycling) override;
    std::int64_t RowCount(const QueryFilter* filter) override;

    // TableSelection and FeatureSelection: SelectRows is SelectFeatures. The
    // selection set is null for an invalid layer.
    std::shared_ptr<platform::SelectionSet> SelectionSet() override { return data_.Selection(); }
    void SelectRows(const QueryFilter* filter, int method, bool justOne) override;
    void SelectFeatures(const QueryFilter* filter, int method, bool justOne) override;
    void Clear() override { data_.ClearSelection(); }
    void SelectionChanged() override;

    // TableDefinition
    std::string DefinitionExpression() const override { return data_.DefinitionExpression(); }
    void DefinitionExpression(std::string expression) override;

    // TableFields / LayerFields
    int FieldCount() const override { return data_.FieldCount(); }
    std::shared_ptr<const platform::Field> Field(int index) const override { return data_.FieldAt(index); }
    std::shared_ptr<platform::FieldInfo> FieldInfo(int index) const override { return data_.FieldInfoAt(index); }

    // Dataset (of an invalid layer: no workspace and no full name)
    std::string BrowseName() const override;
    std::shared_ptr<platform::Workspace> Workspace() const override;
    std::shared_ptr<NameObject> FullName() const override;

    // The field settings that differ from the defaults, for documents and layer files.
    std::vector<BoundTable::FieldSetting> FieldSettings() const { return data_.FieldSettings(); }
    void FieldSettings(const std::vector<BoundTable::FieldSetting>& settings) { data_.FieldSettings(settings); }
    // The view of a valid layer, for drawing; null when invalid.
    const std::shared_ptr<TableView>& View() const { return data_.View(); }

private:
    explicit FeatureLayer(std::string name) : Layer(std::move(name)) {}

    BoundTable data_;
};

}  // namespace platform
