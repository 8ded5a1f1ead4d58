#include "src/query_summary/SummaryOutputFolder.h"

#include <pwd.h>

#include <cstdlib>

#include "platform/data/Geoprocessor.h"
#include "platform/data/Workspace.h"
#include "src/core/aml_func_mod.h"

namespace tessaly {
namespace {

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && !folder.ends_with('/')) folder += '/';
    return folder;
}

// The counterpart of the user's profile folder.
std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    const std::string user = GetTheUserName();
    if (const passwd* entry = user.empty() ? nullptr : getpwnam(user.c_str()); entry != nullptr && entry->pw_dir)
        return entry->pw_dir;
    return "/home/" + user;
}

}  // namespace

std::vector<std::string> SummaryFolderCandidates() {
    return {WithSeparator(HomeFolder()) + "Documents/", WithSeparator(GetFullFileString(TempPathLocation())), "/tmp/"};
}

std::string SummaryOutputFolder() {
    const platform::FolderWorkspaceFactory factory;
    for (const std::string& folder : SummaryFolderCandidates()) {
        if (!folder.empty() && factory.IsWorkspace(folder)) return folder;
    }
    // "/" when even that is empty, which no proposal accepts.
    const std::string saved = ReturnArcGISGeneralDir(3);
    return saved.empty() ? "/" : WithSeparator(saved);
}

std::string ProposedSummaryPath(const std::string& folder) {
    if (folder == "/" || !platform::FolderWorkspaceFactory().IsWorkspace(folder)) return {};
    return FreeSummaryPath(folder + "summary.dbf");
}

bool SummaryPathTaken(const std::string& path) { return ExistFileDir(path) || platform::DissolveOutputExists(path); }

std::string FreeSummaryPath(const std::string& path) {
    if (!SummaryPathTaken(path)) return path;
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash) && path.size() - dot <= 5;
    const std::string base = hasExtension ? path.substr(0, dot) : path;
    const std::string extension = hasExtension ? path.substr(dot) : std::string();
    for (std::int64_t n = 2;; ++n) {
        std::string candidate = base + "_" + std::to_string(n) + extension;
        if (!SummaryPathTaken(candidate)) return candidate;
    }
}

std::string SummaryBrowseFolder(const std::string& documentPath) {
    const platform::FolderWorkspaceFactory factory;
    const std::string saved = WithSeparator(ReturnArcGISGeneralDir(3));
    if (!saved.empty() && factory.IsWorkspace(saved)) return saved;
    const std::string documentFolder = documentPath.empty() ? std::string() : WithSeparator(ReturnDir(documentPath));
    if (!documentFolder.empty() && factory.IsWorkspace(documentFolder)) return documentFolder;
    const std::string searched = SummaryOutputFolder();
    return factory.IsWorkspace(searched) ? searched : "/";
}

}  // namespace tessaly
