#pragma once
#include <memory>
#include <string>

#include "platform/data/SourceTable.h"

namespace platform {

// A source table seen through a definition expression: what a feature layer
// or a standalone table shows. Search, RowCount and Fields of the view see only
// the rows that pass the expression ("" shows every row). Map layers hold one
// view each (by shared_ptr) and forward their Table, Dataset and definition
// members to it; Source() is the raw table behind it.
class TableView : public Table, public Dataset {
public:
    // The expression is taken as it is, unchecked (a document may hold one the
    // source rejects; searches then fail with 0x80004005).
    explicit TableView(std::shared_ptr<SourceTable> source, std::string definitionExpression = {});

    const std::shared_ptr<SourceTable>& Source() const { return source_; }

    const std::string& DefinitionExpression() const { return definitionExpression_; }
    // Checks the new expression with the source first: a rejected one raises
    // ComError 0x80004005 and leaves the old expression in place. "" removes it.
    void DefinitionExpression(std::string expression);

    // Table
    std::shared_ptr<const platform::Fields> Fields() const override { return source_->Fields(); }
    bool HasOID() const override { return source_->HasOID(); }
    std::string OIDFieldName() const override { return source_->OIDFieldName(); }
    std::shared_ptr<Cursor> Search(const QueryFilter* filter, bool recycling) override;
    std::int64_t RowCount(const QueryFilter* filter) override;

    // Dataset: those of the source.
    std::string Name() const override { return source_->Name(); }
    std::string BrowseName() const override { return source_->BrowseName(); }
    std::shared_ptr<platform::Workspace> Workspace() const override { return source_->Workspace(); }
    std::shared_ptr<NameObject> FullName() const override { return source_->FullName(); }

    // Feature-class facts of the source.
    std::string DataSourceType() const { return source_->DataSourceType(); }
    bool HasShape() const { return source_->HasShape(); }
    platform::SpatialReference SpatialReference() const { return source_->SpatialReference(); }
    // Of the rows the view shows.
    platform::Envelope Extent();

private:
    std::shared_ptr<SourceTable> source_;
    std::string definitionExpression_;
};

}  // namespace platform
