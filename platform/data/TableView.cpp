#include "platform/data/TableView.h"

namespace platform {

TableView::TableView(std::shared_ptr<SourceTable> source, std::string definitionExpression)
    : source_(std::move(source)), definitionExpression_(std::move(definitionExpression)) {}

void TableView::DefinitionExpression(std::string expression) {
    if (!expression.empty()) source_->CheckWhereClause(expression);
    definitionExpression_ = std::move(expression);
}

std::shared_ptr<Cursor> TableView::Search(const QueryFilter* filter, bool recycling) {
    return source_->Search(filter, recycling, definitionExpression_);
}

std::int64_t TableView::RowCount(const QueryFilter* filter) { return source_->RowCount(filter, definitionExpression_); }

platform::Envelope TableView::Extent() {
    if (definitionExpression_.empty() || !HasShape()) return source_->Extent();
    QueryFilter filter;
    filter.SubFields(source_->ShapeFieldName());
    platform::Envelope extent;
    extent.SpatialReference(SpatialReference());
    auto cursor = Search(&filter, true);
    while (auto row = cursor->NextRow()) extent.Union(row->Shape().Envelope());
    return extent;
}

}  // namespace platform
