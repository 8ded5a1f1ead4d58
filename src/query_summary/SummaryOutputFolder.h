#pragma once
#include <string>
#include <vector>

// Where a new summary table is proposed: the user's documents folder, else
// the temporary folder, else the host catalog's last save folder.
namespace tessaly {

// The folders tried in order, each ending in "/": the documents folder of the
// user's home ($HOME, else the home the system keeps for the user), the
// temporary folder, then "/tmp/".
std::vector<std::string> SummaryFolderCandidates();

// The first candidate the folder workspace factory accepts; when none is,
// the host catalog's last save folder, untested. Always ends in "/".
std::string SummaryOutputFolder();

// MakeUniqueFilename of folder + "summary.dbf" when the folder is a folder
// workspace (and not "/" alone), else "".
std::string ProposedSummaryPath(const std::string& folder);

}  // namespace tessaly
