#include "app/MapTables.h"

#include <functional>

#include "platform/data/Field.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/GroupLayer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"

namespace desktop {

std::int64_t MapTable::SelectedCount() const {
    const auto set = selection ? selection->SelectionSet() : nullptr;
    return set ? set->Count() : 0;
}

QString MapTable::QuotedField(const QString& field) const {
    const std::string source = layer ? layer->DataSourcePath()
                                     : std::dynamic_pointer_cast<platform::StandaloneTable>(object)->DataSourcePath();
    const QString path = QString::fromStdString(source);
    if (path.endsWith(QStringLiteral(".gpkg"), Qt::CaseInsensitive)) return QStringLiteral("[%1]").arg(field);
    if (path.startsWith(QStringLiteral("PG:"))) return field;
    return QStringLiteral("\"%1\"").arg(field);
}

QString MapTable::FieldLabel(int index) const {
    const QString name = QString::fromStdString(fields->Field(index)->Name());
    const QString alias = QString::fromStdString(fields->FieldInfo(index)->Alias());
    return alias == name || alias.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, alias);
}

std::vector<MapTable> TablesOf(const platform::Map& map, bool layersOnly) {
    std::vector<MapTable> tables;
    std::function<void(const std::shared_ptr<platform::Layer>&)> visit = [&](const auto& layer) {
        if (auto group = std::dynamic_pointer_cast<platform::GroupLayer>(layer)) {
            for (const auto& member : group->Layers()) visit(member);
        } else if (auto feature = std::dynamic_pointer_cast<platform::FeatureLayer>(layer); feature && feature->Valid()) {
            tables.push_back({QString::fromStdString(feature->Name()), feature, feature, feature, feature, feature});
        }
    };
    for (const auto& layer : map.TopLayers()) visit(layer);
    if (layersOnly) return tables;
    for (std::int32_t i = 0; i < map.StandaloneTableCount(); ++i) {
        const auto table = map.StandaloneTable(i);
        if (table && table->Valid())
            tables.push_back({QString::fromStdString(table->Name()), table, table, table, table, nullptr});
    }
    return tables;
}

bool IsNumericField(const platform::Field& field) {
    return field.Type() >= platform::fieldtype::SmallInteger && field.Type() <= platform::fieldtype::Double;
}

void AnnounceSelection(const MapTable& table) {
    if (table.selection) table.selection->SelectionChanged();
}

}  // namespace desktop
