#pragma once
#include <string>

namespace platform {

// The host's TableDefinition view of a feature layer or standalone table: the
// row filter the layer's own Table view applies. "" shows every row.
class TableDefinition {
public:
    virtual ~TableDefinition() = default;
    virtual std::string DefinitionExpression() const = 0;
    // A clause the data source rejects raises ComError 0x80004005 and leaves
    // the old expression in place.
    virtual void DefinitionExpression(std::string expression) = 0;
};

}  // namespace platform
