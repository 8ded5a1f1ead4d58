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

// FreeSummaryPath of folder + "summary.dbf" when the folder is a folder
// workspace (and not "/" alone), else "".
std::string ProposedSummaryPath(const std::string& folder);

// Whether a summary written to path would meet an existing file or folder:
// the path itself, or the table or code-page file the dissolve writes for it.
bool SummaryPathTaken(const std::string& path);

// path when it is not taken, else the first of <name>_2<ext>, <name>_3<ext>,
// ... that is not (ext: a last "." part of at most five characters).
std::string FreeSummaryPath(const std::string& path);

// Where browsing for a new summary starts: the host catalog's last save
// folder when it is a folder; else the map document's folder (documentPath
// "" for a document without a file); else the output-folder search's folder.
// Always an existing folder ending in "/", "/" at worst.
std::string SummaryBrowseFolder(const std::string& documentPath);

}  // namespace tessaly
