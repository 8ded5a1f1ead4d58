#pragma once
#include <memory>
#include <string>

#include "platform/data/Names.h"
#include "platform/data/Table.h"

namespace platform {

// The host's geoprocessor, reduced to the one tool it is asked for.
class Geoprocessor {
public:
    // Writes a dBASE table with one record per distinct value of caseField
    // over the input's rows (only its selected rows when selectedOnly; the
    // selection comes from the input's TableSelection view), in ascending
    // order of that value, a Null value making a record of its own. summary
    // lists tokens "Keyword.Field" separated by commas, keywords Minimum,
    // Maximum, Average, Sum, StdDev, Variance (sample, divisor n - 1), Count
    // (the records of the group); each token gives one column named
    // keyword + "_" + field made a valid dBASE name (letters, digits and "_",
    // at most 10 bytes cut on a character boundary) and kept unique. Null and
    // NaN values are left out; a statistic of no values is Null. Sums, means,
    // variances and deviations are the exact statistics of the values, rounded
    // once to 15 significant digits; one beyond the range of doubles is Null.
    // Numbers are written to 15 significant digits (-0 as 0), each column as
    // wide as its values need, in exponent form where the fixed form would pass
    // 255 characters; a column of 64-bit integers only (the case value,
    // Minimum and Maximum of a 64-bit integer field) is an integer column,
    // exact. Date-times are ordered by day and time of day; with a time of day
    // they are written as text "yyyy-mm-dd hh:mm:ss" (".sss" added when a value
    // has milliseconds). Only the case field and the summarized fields are
    // read. The file is outputName's Name in its workspace's folder, with its
    // ".dbf" ending (any case) written as ".dbf", beside a ".cpg"; both are
    // created exclusively, and the table is opened and returned once it reads
    // back whole.
    // Failures raise ComError E_INVALIDARG (an unknown field or keyword, an
    // empty summary, selectedOnly on an input without a selection) or E_FAIL
    // (the ".dbf" or ".cpg" exists in any case of its ending, or appears
    // meanwhile, the folder is missing, a value cannot be written whole, the
    // write fails); a failed write leaves none of its files behind and
    // touches no other.
    std::shared_ptr<Table> Dissolve(const std::shared_ptr<Table>& input, bool selectedOnly,
                                    const std::string& caseField, const std::string& summary,
                                    const std::shared_ptr<DatasetName>& outputName);
};

// Whether a dissolve into outputPath (a folder and a table name) would meet an
// existing file: its ".dbf" or ".cpg", the ending in any case.
bool DissolveOutputExists(const std::string& outputPath);

}  // namespace platform
