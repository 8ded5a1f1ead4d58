#include "src/query_summary/ThemeViews.h"

#include "platform/com/ComError.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/WhereClause.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/ObjectRequired.h"

namespace tessaly {
namespace {

// The theme as a feature layer, else as a standalone table; exactly one is set.
struct Kinds {
    std::shared_ptr<platform::FeatureLayer> layer;
    std::shared_ptr<platform::StandaloneTable> table;
};

Kinds KindsOf(const std::shared_ptr<platform::HostObject>& theme) {
    if (!theme) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    Kinds kinds{std::dynamic_pointer_cast<platform::FeatureLayer>(theme),
                std::dynamic_pointer_cast<platform::StandaloneTable>(theme)};
    if (!kinds.layer && !kinds.table) throw platform::RuntimeError(platform::vberr::TypeMismatch);
    return kinds;
}

}  // namespace

std::shared_ptr<platform::Table> ThemeTable(const std::shared_ptr<platform::HostObject>& theme) {
    const Kinds kinds = KindsOf(theme);
    if (kinds.layer) return kinds.layer;
    return kinds.table;
}

platform::TableSelection& ThemeSelection(const std::shared_ptr<platform::HostObject>& theme) {
    const Kinds kinds = KindsOf(theme);
    if (kinds.layer) return *kinds.layer;
    return *kinds.table;
}

platform::TableDefinition& ThemeDefinition(const std::shared_ptr<platform::HostObject>& theme) {
    const Kinds kinds = KindsOf(theme);
    if (kinds.layer) return *kinds.layer;
    return *kinds.table;
}

std::shared_ptr<platform::TableFields> ThemeFields(const std::shared_ptr<platform::HostObject>& theme) {
    const Kinds kinds = KindsOf(theme);
    if (kinds.layer) return kinds.layer;
    return kinds.table;
}

std::shared_ptr<platform::SourceTable> ThemeSource(const std::shared_ptr<platform::HostObject>& theme) {
    const Kinds kinds = KindsOf(theme);
    const auto& view = kinds.layer ? kinds.layer->View() : kinds.table->View();
    if (!view) throw platform::ComError(platform::E_DATAUNREADABLE, "Tessaly.Data", "The data could not be opened.");
    return view->Source();
}

std::int64_t SelectedRowCount(const std::shared_ptr<platform::HostObject>& theme) {
    return ObjectRequired(ThemeSelection(theme).SelectionSet()).Count();
}

std::int64_t ShownSelectedRowCount(const std::shared_ptr<platform::HostObject>& theme) {
    platform::SelectionSet& selection = ObjectRequired(ThemeSelection(theme).SelectionSet());
    // Without a definition expression every selected row is shown.
    if (selection.Count() == 0 || ThemeDefinition(theme).DefinitionExpression().empty()) return selection.Count();
    platform::QueryFilter idsOnly;
    idsOnly.SubFields(ObjectRequired(selection.Target()).OIDFieldName());
    std::int64_t shown = 0;
    const auto cursor = selection.Search(&idsOnly, true);
    while (cursor->NextRow()) ++shown;
    return shown;
}

}  // namespace tessaly
