#include "src/quickload_media/QuickLoadEntry.h"

#include <algorithm>
#include <cstddef>
#include <optional>

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

}  // namespace

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
    const TextFileContent now = ReadTextFile(path);
    const std::vector<PlacedEntry> placed = PlacedEntries(now.lines);

    std::vector<std::size_t> removed;
    std::vector<bool> dropLine(now.lines.size(), false);
    for (std::size_t i = 0; i < listed.size() && i < marked.size(); ++i) {
        if (!marked[i]) continue;
        const auto alike = [&](const QuickLoadEntry& other) { return other == listed[i]; };
        const auto rank = std::count_if(listed.begin(), listed.begin() + static_cast<std::ptrdiff_t>(i), alike);
        std::ptrdiff_t seen = 0;
        for (const PlacedEntry& candidate : placed) {
            if (!alike(candidate.entry) || seen++ != rank) continue;
            std::fill_n(dropLine.begin() + static_cast<std::ptrdiff_t>(candidate.firstLine), candidate.lineCount, true);
            removed.push_back(i);
            break;
        }
    }
    if (removed.empty()) return removed;

    ReplaceFileBytes(path, BytesWithoutLines(now, dropLine));
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
