#pragma once
#include <memory>
#include <string>

namespace platform {

class WorkspaceFactory;

// The host's name objects: light references to a workspace or dataset that
// may not exist yet (an output to be written). Plain values with no open data.
// Type-test with dynamic_pointer_cast, as the host's callers ask a full name
// "as WorkspaceName".
class NameObject {
public:
    virtual ~NameObject() = default;
};

class WorkspaceName : public NameObject {
public:
    // The folder (shapefiles, dBASE tables) or file (GeoPackage) of the workspace.
    const std::string& PathName() const { return pathName_; }
    void PathName(std::string path) { pathName_ = std::move(path); }
    const std::shared_ptr<platform::WorkspaceFactory>& WorkspaceFactory() const { return factory_; }
    void WorkspaceFactory(std::shared_ptr<platform::WorkspaceFactory> factory) { factory_ = std::move(factory); }

private:
    std::string pathName_;
    std::shared_ptr<platform::WorkspaceFactory> factory_;
};

class DatasetName : public NameObject {
public:
    // The dataset's name inside its workspace; for dBASE tables the file name
    // with or without ".dbf".
    const std::string& Name() const { return name_; }
    void Name(std::string name) { name_ = std::move(name); }
    const std::shared_ptr<platform::WorkspaceName>& WorkspaceName() const { return workspaceName_; }
    void WorkspaceName(std::shared_ptr<platform::WorkspaceName> name) { workspaceName_ = std::move(name); }

private:
    std::string name_;
    std::shared_ptr<platform::WorkspaceName> workspaceName_;
};

class TableName : public DatasetName {};

}  // namespace platform
