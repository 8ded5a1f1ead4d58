#pragma once
// Writing a new dBASE table through GDAL, for the dissolve. Adapter internals.
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Variant.h"

namespace platform {

struct DbaseColumn {
    std::string name;  // a valid dBASE name: see DbaseColumnName
    int type;          // fieldtype: Integer, Double, String or Date
    // Integer and String columns; Double columns are sized by FitNumber. An
    // Integer column wider than 9 holds 64-bit integers.
    int width = 0;
    // Double columns: the digits before the point (sign included) and after it
    // that the values FitNumber was shown need.
    int integerDigits = 1;
    int decimals = 1;
};

// Widens a Double column so that it holds value to 15 significant digits.
// A value that is not finite raises ComError E_FAIL.
void FitNumber(DbaseColumn& column, double value);

// candidate made a valid dBASE column name: every character that is not a
// letter, a digit or "_" becomes "_", then it is cut to 10 bytes on a
// character boundary (to maxBytes, for a name that gets an ending). Names are
// kept unique by the caller.
std::string DbaseColumnName(const std::string& candidate, std::size_t maxBytes = 10);

// The files a table written to path really is: path's folder, its name
// without a ".dbf" ending (any case), then ".dbf" and ".cpg".
std::vector<std::string> DbaseFilesOf(const std::string& path);

// Writes one new table record by record. Every failure, and every warning of
// GDAL's (a value not written whole), raises ComError E_FAIL; a table that
// was not closed whole is removed with its ".cpg", so a failed write leaves
// nothing behind. The files must not exist before.
class DbaseWriter {
public:
    // Creates DbaseFilesOf(path) with these columns, text in UTF-8.
    DbaseWriter(const std::string& path, const std::vector<DbaseColumn>& columns);
    ~DbaseWriter();
    DbaseWriter(const DbaseWriter&) = delete;
    DbaseWriter& operator=(const DbaseWriter&) = delete;

    // One value per column, in column order; Null and Empty write an empty field.
    void Write(const std::vector<Variant>& record);
    // Writes the header and closes the file; the table is complete after it.
    void Close();
    // The table file written.
    const std::string& Path() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
