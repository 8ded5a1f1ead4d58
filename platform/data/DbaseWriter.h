#pragma once
// Writing a new dBASE table, for the dissolve. Adapter internals.
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
    // that the values FitNumber was shown need in fixed form ...
    int integerDigits = 1;
    int decimals = 1;
    // ... and in exponent form (-d.dddE+ddd), used when the fixed form would
    // pass 255 characters: a sign, the mantissa's decimals, the exponent's digits.
    bool negative = false;
    int mantissaDecimals = 1;
    int exponentDigits = 1;
};

// Widens a Double column so that it holds value rounded to 15 significant
// digits (-0 as 0). A value that is not finite raises ComError E_FAIL.
void FitNumber(DbaseColumn& column, double value);

// The width of a column, and whether its numbers take the exponent form.
int WidthOf(const DbaseColumn& column);
bool UsesExponentForm(const DbaseColumn& column);

// value as a Double column writes it: rounded to 15 significant digits, laid
// out in the column's form and decimals, right-aligned in its width.
std::string NumberText(const DbaseColumn& column, double value);

// candidate made a valid dBASE column name: every character that is not a
// letter, a digit or "_" becomes "_", then it is cut to 10 bytes on a
// character boundary (to maxBytes, for a name that gets an ending). Names are
// kept unique by the caller.
std::string DbaseColumnName(const std::string& candidate, std::size_t maxBytes = 10);

// The files a table written to path really is: path's folder, its name
// without a ".dbf" ending (any case), then ".dbf" and ".cpg".
std::vector<std::string> DbaseFilesOf(const std::string& path);

// Writes one new table record by record. Both files are created exclusively:
// one that exists already (made by anyone, at any moment before) fails the
// write and is left alone. Every failure (a value that does not fit, a write,
// flush or close the system refuses, a table that does not read back whole)
// raises ComError E_FAIL; until Keep, the files this writer created are
// removed when it ends, and only those, so a failed write leaves nothing behind.
class DbaseWriter {
public:
    // Creates DbaseFilesOf(path) with these columns, text in UTF-8.
    DbaseWriter(const std::string& path, const std::vector<DbaseColumn>& columns);
    ~DbaseWriter();
    DbaseWriter(const DbaseWriter&) = delete;
    DbaseWriter& operator=(const DbaseWriter&) = delete;

    // One value per column, in column order; Null and Empty write an empty field.
    void Write(const std::vector<Variant>& record);
    // Writes the header, flushes both files to the disk, closes them and reads
    // the table's header and length back.
    void Close();
    // The table stays when the writer ends.
    void Keep();
    // The table file written.
    const std::string& Path() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
