#include "platform/data/Workspace.h"

#include <filesystem>

#include <gdal_priv.h>

#include "platform/com/Hresult.h"
#include "platform/data/GdalSupport.h"

namespace platform {

namespace {

// The kind (and long name) of the driver GDAL opens the path with, if any.
bool OpensAs(const std::string& path, WorkspaceKind kind, const std::string& driverLongName) {
    EnsureGdalRegistered();
    GdalErrorCapture quiet;
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset || dataset->GetDriver() == nullptr) return false;
    const std::string shortName = dataset->GetDriver()->GetDescription();
    switch (kind) {
    case WorkspaceKind::Folder: return shortName == "ESRI Shapefile";
    case WorkspaceKind::GeoPackage: return shortName == "GPKG";
    case WorkspaceKind::PostgreSQL: return shortName == "PostgreSQL";
    case WorkspaceKind::Other: break;
    }
    const char* longName = dataset->GetDriver()->GetMetadataItem(GDAL_DMD_LONGNAME);
    return driverLongName == (longName ? longName : shortName.c_str());
}

}  // namespace

WorkspaceFactory::WorkspaceFactory(WorkspaceKind kind, std::string driverLongName)
    : kind_(kind), driverLongName_(std::move(driverLongName)) {}

std::string WorkspaceFactory::WorkspaceDescription(bool plural) const {
    switch (kind_) {
    case WorkspaceKind::Folder: return "Shapefiles";
    case WorkspaceKind::GeoPackage: return plural ? "Personal Geodatabases" : "Personal Geodatabase";
    case WorkspaceKind::PostgreSQL: return plural ? "SDE Databases" : "SDE Database";
    case WorkspaceKind::Other: break;
    }
    return driverLongName_;
}

bool WorkspaceFactory::IsWorkspace(const std::string& path) const {
    if (path.empty()) return false;
    if (kind_ == WorkspaceKind::Folder) {
        std::error_code ec;
        return std::filesystem::is_directory(path, ec);
    }
    return OpensAs(path, kind_, driverLongName_);
}

std::shared_ptr<platform::Workspace> WorkspaceFactory::OpenFromFile(const std::string& path, std::intptr_t) const {
    if (kind_ != WorkspaceKind::Folder && !IsWorkspace(path))
        throw DataError(E_FAIL, "Unable to open workspace " + path);
    return std::make_shared<platform::Workspace>(path, std::make_shared<WorkspaceFactory>(*this));
}

Workspace::Workspace(std::string pathName, std::shared_ptr<platform::WorkspaceFactory> factory)
    : pathName_(std::move(pathName)), factory_(std::move(factory)) {}

bool Workspace::Exists() const {
    std::error_code ec;
    if (factory_ && factory_->Kind() == WorkspaceKind::Folder) return std::filesystem::is_directory(pathName_, ec);
    if (factory_ && factory_->Kind() == WorkspaceKind::PostgreSQL) return factory_->IsWorkspace(pathName_);
    return std::filesystem::exists(pathName_, ec);
}

std::string Workspace::Name() const {
    std::string path = pathName_;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Workspace::BrowseName() const { return Name(); }

std::shared_ptr<NameObject> Workspace::FullName() const {
    auto name = std::make_shared<WorkspaceName>();
    name->PathName(pathName_);
    name->WorkspaceFactory(factory_);
    return name;
}

}  // namespace platform
