#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// QuickLoad.txt: the shortcuts of one map document, in the document's folder.
// The file is a sequence of entries, each a marker line and a fixed number of
// value lines:
//
//   <Layer>     name, layer file path relative to the document folder
//   <Query>     name, query text
//   <Bookmark>  name, XMin, YMin, XMax, YMax
//
// A marker is the whole line exactly, letter case included. After a marker the
// following lines are taken whatever they hold; other lines are skipped.
// Relative paths read with "\" or "/" between their parts.
namespace tessaly {

inline constexpr const char* kQuickLoadFileName = "QuickLoad.txt";

enum class QuickLoadKind { Layer, Query, Bookmark };

struct QuickLoadEntry {
    QuickLoadKind kind = QuickLoadKind::Layer;
    std::string name;
    // Layer: the relative path. Query: the text. Bookmark: the four
    // coordinates as written.
    std::vector<std::string> values;

    friend bool operator==(const QuickLoadEntry&, const QuickLoadEntry&) = default;
};

// "<Layer>", "<Query>", "<Bookmark>".
const char* QuickLoadMarker(QuickLoadKind kind);

QuickLoadEntry LayerEntry(std::string name, std::string relativePath);
QuickLoadEntry QueryEntry(std::string name, std::string text);
QuickLoadEntry BookmarkEntry(std::string name, double xmin, double ymin, double xmax, double ymax);

// The entry's lines as written: marker, name, values. A value is one line, so
// a line break inside one is written as a blank; without that, the lines after
// it would be read as other values or entries.
std::vector<std::string> QuickLoadLines(const QuickLoadEntry& entry);

// Every entry, in file order. A file that ends inside an entry is the error 62
// (input past end of file); a missing file 53. The file is closed in any case.
std::vector<QuickLoadEntry> ReadQuickLoadFile(const std::string& path);

// Removes from the file, as it is now, the entries of `listed` (an earlier
// reading) that `marked` names, and nothing else: every other line, blank
// lines, notes and entries added since included, keeps its bytes and its
// place. A marked entry is found again by kind, name and values, the n-th of
// several alike being the n-th still there. The file is read and rewritten
// under the lock every writer of it holds (LockedTextFile), in time linear in
// its size. Returns the positions in `listed` of the entries removed; one no
// longer in the file is not among them. With
// nothing to remove the file is not written; otherwise it is replaced whole,
// so a failure leaves it as it was. Fails as ReadQuickLoadFile does.
std::vector<std::size_t> RemoveQuickLoadEntries(const std::string& path, const std::vector<QuickLoadEntry>& listed,
                                                const std::vector<bool>& marked);

// A test's look into RemoveQuickLoadEntries: called with the lock held, after
// the file was read and before it is rewritten. Empty to remove it.
void SetBeforeRewriteForTesting(std::function<void()> hook);

// Appends the entries, all or none, creating the file when it is missing.
void AppendQuickLoadEntries(const std::string& path, const std::vector<QuickLoadEntry>& entries);

// The full path of a layer entry's file: the document folder (ending in "/")
// followed by the stored path, its "\" read as "/".
std::string LayerFilePath(const std::string& documentFolder, const std::string& relativePath);

}  // namespace tessaly
