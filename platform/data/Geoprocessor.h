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
    // keyword + "_" + field, cut to 10 characters and kept unique. Null
    // values are left out; a statistic of no values is Null. The file is
    // outputName's Name (".dbf" added when missing) in its workspace's folder;
    // it is opened and returned.
    // Failures raise ComError E_INVALIDARG (an unknown field or keyword, an
    // empty summary, selectedOnly on an input without a selection) or E_FAIL
    // (the file exists or cannot be written).
    std::shared_ptr<Table> Dissolve(const std::shared_ptr<Table>& input, bool selectedOnly,
                                    const std::string& caseField, const std::string& summary,
                                    const std::shared_ptr<DatasetName>& outputName);
};

}  // namespace platform
