#pragma once
#include <memory>
#include <string>

#include "platform/data/Names.h"

namespace platform {

class Workspace;

// The host's Dataset view of a table, a feature class or a workspace.
class Dataset {
public:
    virtual ~Dataset() = default;
    virtual std::string Name() const = 0;
    virtual std::string BrowseName() const = 0;
    // The workspace that holds it (a workspace answers itself).
    virtual std::shared_ptr<platform::Workspace> Workspace() const = 0;
    // A name object for it: a WorkspaceName for a workspace, a TableName for a table.
    virtual std::shared_ptr<NameObject> FullName() const = 0;
};

}  // namespace platform
