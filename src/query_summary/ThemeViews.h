#pragma once
#include <cstdint>
#include <memory>

namespace platform {
class HostObject;
class SourceTable;
class Table;
class TableDefinition;
class TableFields;
class TableSelection;
}  // namespace platform

// The views the query-builder and summarize dialogs take of the feature layer
// or standalone table they work on: the object itself seen as a Table (through
// its definition expression), as a TableSelection and as a TableDefinition.
// None is runtime error 91; any other kind of object 13.
namespace tessaly {

std::shared_ptr<platform::Table> ThemeTable(const std::shared_ptr<platform::HostObject>& theme);
platform::TableSelection& ThemeSelection(const std::shared_ptr<platform::HostObject>& theme);
platform::TableDefinition& ThemeDefinition(const std::shared_ptr<platform::HostObject>& theme);
std::shared_ptr<platform::TableFields> ThemeFields(const std::shared_ptr<platform::HostObject>& theme);
// The data behind the theme, without its definition expression: the source
// that writes where-clause literals and checks a clause on its own. A theme
// whose data did not open raises E_DATAUNREADABLE.
std::shared_ptr<platform::SourceTable> ThemeSource(const std::shared_ptr<platform::HostObject>& theme);

// The number of selected rows (a theme without a selection set is error 91).
std::int64_t SelectedRowCount(const std::shared_ptr<platform::HostObject>& theme);
// The selected rows the theme shows (its definition expression may hide some):
// the rows a summary of the selection reads.
std::int64_t ShownSelectedRowCount(const std::shared_ptr<platform::HostObject>& theme);

}  // namespace tessaly
