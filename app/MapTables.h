#pragma once
#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class FeatureLayer;
class Field;
class HostObject;
class Map;
class SelectionSet;
class Table;
class TableFields;
class TableSelection;
}  // namespace platform

namespace desktop {

// A valid feature layer or standalone table of a map, seen through the views
// the host's own windows use.
struct MapTable {
    QString name;
    std::shared_ptr<platform::HostObject> object;
    std::shared_ptr<platform::Table> table;
    std::shared_ptr<platform::TableSelection> selection;
    std::shared_ptr<platform::TableFields> fields;
    std::shared_ptr<platform::FeatureLayer> layer;  // null for a standalone table

    std::int64_t SelectedCount() const;
    // The name written into a where clause: bracketed for GeoPackage data, bare
    // for PostgreSQL, double-quoted otherwise.
    QString QuotedField(const QString& field) const;
    // Field names with the alias in brackets when it differs: "POP2020 (Population 2020)".
    QString FieldLabel(int index) const;
};

// The map's valid feature layers (at any depth, in table-of-contents order),
// then, unless `layersOnly`, its valid standalone tables.
std::vector<MapTable> TablesOf(const platform::Map& map, bool layersOnly = false);

// Numeric field types: small integer, integer, single, double.
bool IsNumericField(const platform::Field& field);

// Tells the table's views (table window, map) that its selection changed.
void AnnounceSelection(const MapTable& table);

}  // namespace desktop
