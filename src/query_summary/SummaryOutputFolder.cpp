#include "src/query_summary/SummaryOutputFolder.h"

#include <pwd.h>

#include <cstdlib>

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
    return MakeUniqueFilename(folder + "summary.dbf");
}

}  // namespace tessaly
