#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "src/statistics/FieldQuoteStyle.h"

namespace platform {
class Application;
class SelectionSet;
class Table;
}  // namespace platform

namespace tessaly {

// The layer or table a statistics run reads: its name, the rows of "all
// records", its selection and how its where clauses name fields.
struct StatisticsSource {
    std::string name;
    std::shared_ptr<platform::Table> table;
    std::shared_ptr<platform::SelectionSet> selection;
    FieldQuoteStyle quoteStyle = FieldQuoteStyle::Quotations;
};

// One field's values as read: the numbers (not sorted), the rows whose value
// is Null or NaN, and the row count the reading expected (the whole selection
// for selected records).
struct FieldReading {
    std::vector<double> values;
    std::int64_t nullCount = 0;
    std::int64_t expected = 0;
};

// Reads field `fieldIndex` (named `fieldName`) of every row, or of the
// selected rows, leaving out the values in `ignored` (none: empty) by a where
// clause. Rows whose value is Null are counted, also those such a clause
// leaves out; a NaN is counted with them and is no value. While reading, the
// application's status bar shows "Gathering values from field [<fieldName>]
// in <source name>" and the pointer is the hourglass; the bar is hidden
// however the reading ends, the pointer is left to the caller. A value that
// is no number raises runtime error 13.
FieldReading ReadFieldValues(const StatisticsSource& source, std::int32_t fieldIndex, const std::string& fieldName,
                             bool allRecords, const std::vector<platform::Variant>& ignored,
                             platform::Application& application);

}  // namespace tessaly
