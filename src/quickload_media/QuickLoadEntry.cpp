#include "src/quickload_media/QuickLoadEntry.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/com/ComError.h"
#include "src/quickload_media/NumberText.h"
#include "src/quickload_media/TextFile.h"

namespace tessaly {
namespace {

constexpr QuickLoadKind kKinds[] = {QuickLoadKind::Layer, QuickLoadKind::Query, QuickLoadKind::Bookmark};

std::size_t ValueCount(QuickLoadKind kind) { return kind == QuickLoadKind::Bookmark ? 4 : 1; }

std::optional<QuickLoadKind> KindOfMarker(const std::string& line) {
    for (QuickLoadKind kind : kKinds)
        if (line == QuickLoadMarker(kind)) return kind;
    return std::nullopt;
}

std::string OneLine(const std::string& value) {
    std::string line;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            line += ' ';
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        } else {
            line += value[i];
        }
    }
    return line;
}

std::vector<std::string> AllLines(const std::vector<QuickLoadEntry>& entries) {
    std::vector<std::string> lines;
    for (const QuickLoadEntry& entry : entries) {
        const std::vector<std::string> own = QuickLoadLines(entry);
        lines.insert(lines.end(), own.begin(), own.end());
    }
    return lines;
}

// An entry as read, with the file lines it takes: its marker's line and the
// lines after it.
struct PlacedEntry {
    QuickLoadEntry entry;
    std::size_t firstLine = 0;
    std::size_t lineCount = 0;
};

std::vector<PlacedEntry> PlacedEntries(const std::vector<TextLine>& lines) {
    std::vector<PlacedEntry> entries;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto kind = KindOfMarker(lines[i].text);
        if (!kind) continue;
        const std::size_t count = 1 + ValueCount(*kind);
        if (lines.size() - i - 1 < count) throw platform::RuntimeError(platform::vberr::InputPastEndOfFile);
        PlacedEntry placed{{*kind, lines[i + 1].text, {}}, i, 1 + count};
        for (std::size_t k = i + 2; k <= i + count; ++k) placed.entry.values.push_back(lines[k].text);
        entries.push_back(std::move(placed));
        i += count;
    }
    return entries;
}

// One text per entry: equal exactly when the entries are.
std::string EntryKey(const QuickLoadEntry& entry) {
    std::string key(1, static_cast<char>('0' + static_cast<int>(entry.kind)));
    key += std::to_string(entry.name.size()) + ':' + entry.name;
    for (const std::string& value : entry.values) key += std::to_string(value.size()) + ':' + value;
    return key;
}

std::function<void()> beforeRewrite;

}  // namespace

void SetBeforeRewriteForTesting(std::function<void()> hook) { beforeRewrite = std::move(hook); }

const char* QuickLoadMarker(QuickLoadKind kind) {
    switch (kind) {
    case QuickLoadKind::Layer: return "<Layer>";
    case QuickLoadKind::Query: return "<Query>";
    case QuickLoadKind::Bookmark: return "<Bookmark>";
    }
    return "";
}

QuickLoadEntry LayerEntry(std::string name, std::string relativePath) {
    return {QuickLoadKind::Layer, std::move(name), {std::move(relativePath)}};
}

QuickLoadEntry QueryEntry(std::string name, std::string text) {
    return {QuickLoadKind::Query, std::move(name), {std::move(text)}};
}

QuickLoadEntry BookmarkEntry(std::string name, double xmin, double ymin, double xmax, double ymax) {
    return {QuickLoadKind::Bookmark,
            std::move(name),
            {NumberText(xmin), NumberText(ymin), NumberText(xmax), NumberText(ymax)}};
}

std::vector<std::string> QuickLoadLines(const QuickLoadEntry& entry) {
    std::vector<std::string> lines{QuickLoadMarker(entry.kind), OneLine(entry.name)};
    for (const std::string& value : entry.values) lines.push_back(OneLine(value));
    return lines;
}

std::vector<QuickLoadEntry> ReadQuickLoadFile(const std::string& path) {
    std::vector<QuickLoadEntry> entries;
    for (PlacedEntry& placed : PlacedEntries(ReadTextFile(path).lines)) entries.push_back(std::move(placed.entry));
    return entries;
}

std::vector<std::size_t> RemoveQuickLoadEntries(const std::string& path, const std::vector<QuickLoadEntry>& listed,
                                                const std::vector<bool>& marked) {
    LockedTextFile file(path, false);
    const TextFileContent now = file.Read();
    const std::vector<PlacedEntry> placed = PlacedEntries(now.lines);

    // Only entries named as a marked one can be one; of those, the entries now
    // in the file by their lines, each with its places in file order: the n-th
    // listed entry alike is the n-th placed.
    std::unordered_set<std::string_view> markedNames;
    for (std::size_t i = 0; i < listed.size() && i < marked.size(); ++i)
        if (marked[i]) markedNames.insert(listed[i].name);
    const auto mayBeMarked = [&](const QuickLoadEntry& entry) { return markedNames.count(entry.name) > 0; };
    std::unordered_map<std::string, std::vector<const PlacedEntry*>> placesOf;
    for (const PlacedEntry& candidate : placed)
        if (mayBeMarked(candidate.entry)) placesOf[EntryKey(candidate.entry)].push_back(&candidate);
    std::unordered_map<std::string, std::size_t> seen;

    std::vector<std::size_t> removed;
    std::vector<bool> dropLine(now.lines.size(), false);
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (!mayBeMarked(listed[i])) continue;
        const std::string key = EntryKey(listed[i]);
        const std::size_t rank = seen[key]++;
        if (i >= marked.size() || !marked[i]) continue;
        const auto places = placesOf.find(key);
        if (places == placesOf.end() || rank >= places->second.size()) continue;
        const PlacedEntry& entry = *places->second[rank];
        std::fill_n(dropLine.begin() + static_cast<std::ptrdiff_t>(entry.firstLine), entry.lineCount, true);
        removed.push_back(i);
    }
    if (removed.empty()) return removed;

    if (beforeRewrite) beforeRewrite();
    file.Replace(BytesWithoutLines(now, dropLine));
    return removed;
}

void AppendQuickLoadEntries(const std::string& path, const std::vector<QuickLoadEntry>& entries) {
    AppendTextLines(path, AllLines(entries));
}

std::string LayerFilePath(const std::string& documentFolder, const std::string& relativePath) {
    std::string relative = relativePath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return documentFolder + relative;
}

}  // namespace tessaly
