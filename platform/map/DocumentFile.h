#pragma once
#include <memory>
#include <string>

namespace platform {

class CommandBars;
class MapDocument;

// The map document file (.tmd), JSON:
//   { "format": "tessaly-map-document", "version": 1, "title": "...", "focusMap": 0,
//     "maps": [ { "name": "...", "expanded": true, "extent": [xmin, ymin, xmax, ymax],
//                 "layers": [ layer, ... ], "standaloneTables": [ table, ... ],
//                 "graphics": [ { "wkt": "...", "selected": false }, ... ] } ] }
// A layer is { "type": "feature", "name", "dataSource", "dataset",
// "definitionExpression", "fields": [ { "name", "alias", "visible" } ] } or
// { "type": "group", "name", "expanded", "layers": [ ... ] }; a standalone table
// has the members of a feature layer but "type". Data sources are relative to
// the document's folder; graphics are in map coordinates. Data that do not open
// leave their layer or table in the document, invalid.

// Reads a document. A missing or unreadable file, or one that is not a map
// document, raises ComError E_FAIL. The document's FilePath is the absolute path.
std::shared_ptr<MapDocument> LoadDocument(const std::string& path, std::shared_ptr<CommandBars> commandBars = nullptr);
// Writes the document; a file that cannot be written raises ComError E_FAIL.
void SaveDocument(const MapDocument& document, const std::string& path);

}  // namespace platform
