#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/data/Names.h"

namespace platform {

// The kinds of data the stand-in tells apart; each has its own texts and its
// own where-clause dialect (the source's own).
enum class WorkspaceKind {
    Folder,      // shapefiles and dBASE tables in a folder
    GeoPackage,  // shown as a personal geodatabase
    PostgreSQL,  // shown as an SDE database
    Other,       // any other GDAL format, named by its driver
};

class Workspace;

// Knows one kind of workspace: its description texts, which paths are
// workspaces of that kind, and how to open them. Stateless; create one when needed.
class WorkspaceFactory {
public:
    explicit WorkspaceFactory(WorkspaceKind kind, std::string driverLongName = {});
    virtual ~WorkspaceFactory() = default;

    WorkspaceKind Kind() const { return kind_; }
    // Singular (plural false) and plural: "Shapefiles" and "Shapefiles",
    // "Personal Geodatabase" and "Personal Geodatabases", "SDE Database" and
    // "SDE Databases", else the driver's long name for both.
    std::string WorkspaceDescription(bool plural) const;
    // A folder for the folder kind; a data source GDAL opens with this kind's
    // driver otherwise. Never raises.
    bool IsWorkspace(const std::string& path) const;
    // The workspace at path. The folder kind opens any path (ask Exists);
    // the other kinds raise ComError E_FAIL when the source does not open.
    // The window handle is accepted and not used.
    std::shared_ptr<platform::Workspace> OpenFromFile(const std::string& path, std::intptr_t hWnd) const;

private:
    WorkspaceKind kind_;
    std::string driverLongName_;
};

// The host's folder workspace factory: folders holding shapefiles and dBASE tables.
class FolderWorkspaceFactory : public WorkspaceFactory {
public:
    FolderWorkspaceFactory() : WorkspaceFactory(WorkspaceKind::Folder) {}
};

// A folder or database holding tables. It holds only its path and factory;
// nothing is opened, so it stays valid when the folder disappears (Exists then
// answers false). It answers the host's Dataset questions of a workspace
// (Name, BrowseName, FullName) itself.
class Workspace {
public:
    Workspace(std::string pathName, std::shared_ptr<platform::WorkspaceFactory> factory);

    const std::string& PathName() const { return pathName_; }
    const std::shared_ptr<platform::WorkspaceFactory>& WorkspaceFactory() const { return factory_; }
    // The folder or file is there now.
    bool Exists() const;

    // The last part of the path.
    std::string Name() const;
    std::string BrowseName() const;
    // A WorkspaceName with this path and factory.
    std::shared_ptr<NameObject> FullName() const;

private:
    std::string pathName_;
    std::shared_ptr<platform::WorkspaceFactory> factory_;
};

}  // namespace platform
