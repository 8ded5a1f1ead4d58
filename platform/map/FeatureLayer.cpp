#include "platform/map/FeatureLayer.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/HostServices.h"

namespace platform {

std::shared_ptr<FeatureLayer> FeatureLayer::Open(const std::string& name, const std::string& path,
                                                 const std::string& layerName,
                                                 const std::string& definitionExpression) {
    std::shared_ptr<FeatureLayer> layer(new FeatureLayer(name));
    layer->data_.Open(path, layerName, definitionExpression);
    if (name.empty() && layer->Valid()) layer->Name(layer->data_.View()->Name());
    return layer;
}

std::shared_ptr<FeatureLayer> FeatureLayer::FromTable(std::shared_ptr<SourceTable> source, std::string name) {
    if (!source) throw ComError(E_POINTER, "FeatureLayer", "No table was given.");
    if (name.empty()) name = source->Name();
    std::shared_ptr<FeatureLayer> layer(new FeatureLayer(std::move(name)));
    layer->data_.Bind(std::move(source), {});
    return layer;
}

platform::SpatialReference FeatureLayer::SpatialReference() const {
    return Valid() ? data_.View()->SpatialReference() : platform::SpatialReference();
}

Envelope FeatureLayer::AreaOfInterest() const { return Valid() ? data_.View()->Extent() : Envelope(); }

std::string FeatureLayer::DataSourceType() const { return Valid() ? data_.View()->DataSourceType() : std::string(); }

std::shared_ptr<const platform::Fields> FeatureLayer::Fields() const {
    return Valid() ? data_.View()->Fields() : std::make_shared<const platform::Fields>();
}

bool FeatureLayer::HasOID() const { return Valid() && data_.View()->HasOID(); }

std::string FeatureLayer::OIDFieldName() const { return Valid() ? data_.View()->OIDFieldName() : std::string(); }

std::shared_ptr<Cursor> FeatureLayer::Search(const QueryFilter* filter, bool recycling) {
    return data_.RequireView(Name()).Search(filter, recycling);
}

std::int64_t FeatureLayer::RowCount(const QueryFilter* filter) { return data_.RequireView(Name()).RowCount(filter); }

void FeatureLayer::SelectRows(const QueryFilter* filter, int method, bool justOne) {
    data_.Select(filter, method, justOne, Name());
}

void FeatureLayer::SelectFeatures(const QueryFilter* filter, int method, bool justOne) {
    data_.Select(filter, method, justOne, Name());
}

void FeatureLayer::SelectionChanged() { Host().SelectionChanged(*this); }

void FeatureLayer::DefinitionExpression(std::string expression) { data_.DefinitionExpression(std::move(expression)); }

std::string FeatureLayer::BrowseName() const { return Valid() ? data_.View()->BrowseName() : Name(); }

std::shared_ptr<platform::Workspace> FeatureLayer::Workspace() const {
    return Valid() ? data_.View()->Workspace() : nullptr;
}

std::shared_ptr<NameObject> FeatureLayer::FullName() const { return Valid() ? data_.View()->FullName() : nullptr; }

}  // namespace platform
