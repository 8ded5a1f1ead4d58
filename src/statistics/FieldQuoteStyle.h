#pragma once
#include <string>
#include <vector>

#include "platform/data/Variant.h"

namespace platform {
class FeatureLayer;
class StandaloneTable;
}  // namespace platform

namespace tessaly {

// How a field name is written inside a where clause, by the kind of data.
enum class FieldQuoteStyle {
    Brackets,     // [NAME]: personal-geodatabase data (GeoPackage here)
    NotEnclosed,  // NAME: SDE and IMS data (PostgreSQL here), quoted only where the server needs it
    Quotations,   // "NAME": everything else
};

// "brackets", "Not Enclosed" or "Quotations".
const char* FieldQuoteStyleKeyword(FieldQuoteStyle style);

// A feature layer's, by its data-source type: exactly "Personal Geodatabase
// Feature Class" gives brackets, exactly "SDE Feature Class" or any type
// containing "IMS" leaves names bare; case matters throughout.
FieldQuoteStyle QuoteStyleForDataSourceType(const std::string& type);
FieldQuoteStyle QuoteStyleOf(const platform::FeatureLayer& layer);

// A standalone table's, by the description of its workspace factory: "Personal
// Geodatabase" in any letter case gives brackets, "SDE" or "IMS" (case
// matters) bare names.
FieldQuoteStyle QuoteStyleForWorkspaceDescription(const std::string& description);
// A table without a workspace raises runtime error 91.
FieldQuoteStyle QuoteStyleOf(const platform::StandaloneTable& table);

// Not enclosed, a name stays bare only where PostgreSQL reads it back
// unchanged: "VAL", "Depth" and "order" are quoted, val is not.
std::string WrapFieldName(const std::string& name, FieldQuoteStyle style);

// The clause that leaves out `values`, a LongLong as its exact integer, a
// Double in the shortest text that reads back as the same number
// (WhereNumberText): for one value the wrapped name,
// " <> " and the value ([AREA] <> -9999); for several the wrapped name and
// " NOT IN " with the list ([AREA] NOT IN (-9999, 0)). Nulls pass neither form.
std::string IgnoredValuesClause(const std::string& fieldName, FieldQuoteStyle style,
                                const std::vector<platform::Variant>& values);

// The clause that takes the rows whose value is Null.
std::string NullValuesClause(const std::string& fieldName, FieldQuoteStyle style);

}  // namespace tessaly
