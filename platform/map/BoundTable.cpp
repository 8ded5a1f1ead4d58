#include "platform/map/BoundTable.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/TextCompare.h"
#include "platform/data/WhereClause.h"

namespace platform {

void BoundTable::Open(std::string path, std::string layerName, std::string definitionExpression) {
    path_ = std::move(path);
    layerName_ = std::move(layerName);
    definitionExpression_ = std::move(definitionExpression);
    view_.reset();
    selection_.reset();
    openError_.clear();
    try {
        auto source = SourceTable::Open(path_, layerName_);
        view_ = std::make_shared<TableView>(std::move(source), definitionExpression_);
        selection_ = std::make_shared<SelectionSet>(view_);
    } catch (const ComError& error) {
        openError_ = error.Description();
    }
}

void BoundTable::Bind(std::shared_ptr<SourceTable> source, std::string definitionExpression) {
    if (!source) throw ComError(E_POINTER, "BoundTable", "No table was given.");
    path_ = source->DataSourcePath();
    layerName_ = source->LayerName();
    definitionExpression_ = std::move(definitionExpression);
    openError_.clear();
    view_ = std::make_shared<TableView>(std::move(source), definitionExpression_);
    selection_ = std::make_shared<SelectionSet>(view_);
}

TableView& BoundTable::RequireView(const std::string& owner) const {
    if (!view_) {
        throw ComError(E_DATAUNREADABLE, owner,
                       "The data of '" + owner + "' cannot be opened" +
                           (openError_.empty() ? std::string(".") : ": " + openError_));
    }
    return *view_;
}

const std::string& BoundTable::DefinitionExpression() const {
    return view_ ? view_->DefinitionExpression() : definitionExpression_;
}

void BoundTable::DefinitionExpression(std::string expression) {
    // The selection keeps rows the new expression hides: they show selected
    // again when a later expression shows them.
    if (view_) view_->DefinitionExpression(expression);
    definitionExpression_ = std::move(expression);
}

void BoundTable::Select(const QueryFilter* filter, int method, bool justOne, const std::string& owner) {
    TableView& view = RequireView(owner);
    if (!justOne) {
        selection_->Select(filter, method);
        return;
    }
    ObjectIds first;
    auto cursor = view.Search(filter, true);
    if (auto row = cursor->NextRow()) first.push_back(row->OID());
    selection_->Combine(std::move(first), method);
}

void BoundTable::ClearSelection() {
    if (selection_) selection_->Clear();
}

int BoundTable::FieldCount() const { return view_ ? view_->Fields()->FieldCount() : 0; }

std::shared_ptr<const Field> BoundTable::FieldAt(int index) const {
    if (!view_) throw ComError(E_INVALIDARG, "TableFields", "The index is outside the field list.");
    return view_->Fields()->Field(index);
}

std::shared_ptr<FieldInfo> BoundTable::FieldInfoAt(int index) const { return InfoFor(FieldAt(index)->Name()); }

std::shared_ptr<FieldInfo> BoundTable::InfoFor(const std::string& field) const {
    for (const auto& [name, info] : infos_)
        if (name == field) return info;
    // A document may name a field in another letter case than its data does,
    // but a name that is itself a field's (of "Name" and "NAME") is that field's.
    const auto fields = view_ ? view_->Fields() : nullptr;
    const auto isFieldName = [&](const std::string& name) {
        if (!fields) return true;
        const int index = fields->FindField(name);
        return index >= 0 && fields->Field(index)->Name() == name;
    };
    for (const auto& [name, info] : infos_)
        if (EqualsIgnoringCase(name, field) && !isFieldName(name)) return info;
    infos_.emplace_back(field, std::make_shared<FieldInfo>(field));
    return infos_.back().second;
}

std::vector<BoundTable::FieldSetting> BoundTable::FieldSettings() const {
    std::vector<FieldSetting> settings;
    for (const auto& [name, info] : infos_) {
        if (info->Alias() == name && info->Visible()) continue;
        settings.push_back({name, info->Alias(), info->Visible()});
    }
    return settings;
}

void BoundTable::FieldSettings(const std::vector<FieldSetting>& settings) {
    for (const auto& setting : settings) {
        auto info = InfoFor(setting.field);
        info->Alias(setting.alias);
        info->Visible(setting.visible);
    }
}

}  // namespace platform
