#include "platform/map/StandaloneTable.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/HostServices.h"

namespace platform {

std::shared_ptr<StandaloneTable> StandaloneTable::Open(const std::string& name, const std::string& path,
                                                       const std::string& tableName,
                                                       const std::string& definitionExpression) {
    auto table = std::make_shared<StandaloneTable>();
    table->name_ = name;
    table->data_.Open(path, tableName, definitionExpression);
    if (name.empty() && table->Valid()) table->name_ = table->data_.View()->Name();
    return table;
}

std::shared_ptr<platform::Table> StandaloneTable::Table() const {
    return Valid() ? std::shared_ptr<platform::Table>(data_.View()->Source()) : nullptr;
}

void StandaloneTable::Table(const std::shared_ptr<platform::Table>& table) {
    std::shared_ptr<SourceTable> source;
    std::string expression;
    if (auto view = std::dynamic_pointer_cast<TableView>(table)) {
        source = view->Source();
        expression = view->DefinitionExpression();
    } else {
        source = std::dynamic_pointer_cast<SourceTable>(table);
    }
    if (!source) throw ComError(E_INVALIDARG, "StandaloneTable", "The table cannot stand in a map.");
    if (name_.empty()) name_ = source->Name();
    data_.Bind(std::move(source), std::move(expression));
}

std::shared_ptr<const platform::Fields> StandaloneTable::Fields() const {
    return Valid() ? data_.View()->Fields() : std::make_shared<const platform::Fields>();
}

bool StandaloneTable::HasOID() const { return Valid() && data_.View()->HasOID(); }

std::string StandaloneTable::OIDFieldName() const { return Valid() ? data_.View()->OIDFieldName() : std::string(); }

std::shared_ptr<Cursor> StandaloneTable::Search(const QueryFilter* filter, bool recycling) {
    return data_.RequireView(Name()).Search(filter, recycling);
}

std::int64_t StandaloneTable::RowCount(const QueryFilter* filter) {
    return data_.RequireView(Name()).RowCount(filter);
}

void StandaloneTable::SelectRows(const QueryFilter* filter, int method, bool justOne) {
    data_.Select(filter, method, justOne, Name());
}

void StandaloneTable::SelectionChanged() { Host().SelectionChanged(*this); }

void StandaloneTable::DefinitionExpression(std::string expression) {
    data_.DefinitionExpression(std::move(expression));
}

std::string StandaloneTable::BrowseName() const { return Valid() ? data_.View()->BrowseName() : Name(); }

std::shared_ptr<platform::Workspace> StandaloneTable::Workspace() const {
    return Valid() ? data_.View()->Workspace() : nullptr;
}

std::shared_ptr<NameObject> StandaloneTable::FullName() const { return Valid() ? data_.View()->FullName() : nullptr; }

}  // namespace platform
