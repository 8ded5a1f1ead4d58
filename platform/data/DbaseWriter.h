#pragma once
// Writing a new dBASE table through GDAL, for the dissolve. Adapter internals.
#include <string>
#include <vector>

#include "platform/data/Variant.h"

namespace platform {

struct DbaseColumn {
    std::string name;  // at most 10 characters, unique
    int type;          // fieldtype: Integer, Double, String or Date
    int width;
};

// Creates the file at path (ending in ".dbf") with these columns and records,
// text in UTF-8. Raises ComError E_FAIL when it cannot be written.
void WriteDbaseTable(const std::string& path, const std::vector<DbaseColumn>& columns,
                     const std::vector<std::vector<Variant>>& records);

}  // namespace platform
