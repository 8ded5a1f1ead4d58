#include "src/statistics/FieldValues.h"

#include <cmath>

#include "platform/com/ComError.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/Table.h"
#include "platform/forms/Screen.h"
#include "platform/map/Application.h"
#include "platform/map/StatusBar.h"
#include "src/statistics/StatusBarProgress.h"

namespace tessaly {
namespace {

std::int64_t CountRows(platform::Cursor& cursor) {
    std::int64_t count = 0;
    while (cursor.NextRow()) ++count;
    return count;
}

// The rows whose value is Null, which a clause such as F <> -9999 leaves out.
std::int64_t CountNullRows(const StatisticsSource& source, const std::string& fieldName, bool allRecords) {
    platform::QueryFilter nulls;
    nulls.WhereClause(NullValuesClause(fieldName, source.quoteStyle));
    nulls.SubFields(fieldName);
    if (allRecords) return source.table->RowCount(&nulls);
    return CountRows(*source.selection->Search(&nulls, true));
}

}  // namespace

FieldReading ReadFieldValues(const StatisticsSource& source, std::int32_t fieldIndex, const std::string& fieldName,
                             bool allRecords, const std::vector<platform::Variant>& ignored,
                             platform::Application& application) {
    if (!source.table || !source.selection) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    // Only the field is read, with or without values to leave out: the other
    // fields and the shapes would change nothing here.
    platform::QueryFilter filter;
    filter.SubFields(fieldName);
    const bool filtered = !ignored.empty();
    if (filtered) filter.WhereClause(IgnoredValuesClause(fieldName, source.quoteStyle, ignored));

    FieldReading reading;
    std::shared_ptr<platform::Cursor> cursor;
    if (allRecords) {
        cursor = source.table->Search(&filter, true);
        reading.expected = source.table->RowCount(filtered ? &filter : nullptr);
    } else {
        cursor = source.selection->Search(&filter, true);
        reading.expected = source.selection->Count();
    }
    if (filtered) reading.nullCount = CountNullRows(source, fieldName, allRecords);
    if (reading.expected == 0) return reading;

    reading.values.reserve(static_cast<std::size_t>(reading.expected) + 1);
    // The hourglass stays up until the whole run is done.
    platform::screen::SetMousePointer(platform::vbHourglass);
    const auto& bar = application.StatusBar();
    if (!bar) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    StatusBarProgress progress(*bar, "Gathering values from field [" + fieldName + "] in " + source.name,
                               reading.expected, StatusBarProgress::Pointer::Untouched);
    while (auto row = cursor->NextRow()) {
        const platform::Variant& value = row->Value(fieldIndex);
        if (value.IsNull()) {
            // Only an unfiltered reading meets them; a filtered one counted them apart.
            if (!filtered) ++reading.nullCount;
        } else if (const double number = value.ToDouble(); std::isnan(number)) {
            ++reading.nullCount;  // not a number: no value, as a Null (a filter's count of Nulls leaves it out)
        } else {
            reading.values.push_back(number);
        }
        progress.Step();
    }
    progress.Finish();
    return reading;
}

}  // namespace tessaly
