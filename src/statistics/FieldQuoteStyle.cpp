#include "src/statistics/FieldQuoteStyle.h"

#include "platform/com/ComError.h"
#include "platform/data/PostgreSql.h"
#include "platform/data/WhereClause.h"
#include "platform/data/Workspace.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/LocaleText.h"
#include "src/core/aml_func_mod.h"

namespace tessaly {
namespace {

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

const char* FieldQuoteStyleKeyword(FieldQuoteStyle style) {
    switch (style) {
    case FieldQuoteStyle::Brackets: return "brackets";
    case FieldQuoteStyle::NotEnclosed: return "Not Enclosed";
    case FieldQuoteStyle::Quotations: break;
    }
    return "Quotations";
}

FieldQuoteStyle QuoteStyleForDataSourceType(const std::string& type) {
    if (type == "Personal Geodatabase Feature Class") return FieldQuoteStyle::Brackets;
    if (type == "SDE Feature Class") return FieldQuoteStyle::NotEnclosed;
    if (Contains(type, "IMS")) return FieldQuoteStyle::NotEnclosed;
    return FieldQuoteStyle::Quotations;
}

FieldQuoteStyle QuoteStyleOf(const platform::FeatureLayer& layer) {
    return QuoteStyleForDataSourceType(layer.DataSourceType());
}

FieldQuoteStyle QuoteStyleForWorkspaceDescription(const std::string& description) {
    const std::wstring folded = localetext::Folded(description);
    if (folded.find(localetext::Folded("Personal Geodatabase")) != std::wstring::npos) return FieldQuoteStyle::Brackets;
    if (Contains(description, "SDE")) return FieldQuoteStyle::NotEnclosed;
    if (Contains(description, "IMS")) return FieldQuoteStyle::NotEnclosed;
    return FieldQuoteStyle::Quotations;
}

FieldQuoteStyle QuoteStyleOf(const platform::StandaloneTable& table) {
    const auto workspace = table.Workspace();
    if (!workspace || !workspace->WorkspaceFactory()) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    return QuoteStyleForWorkspaceDescription(workspace->WorkspaceFactory()->WorkspaceDescription(false));
}

std::string WrapFieldName(const std::string& name, FieldQuoteStyle style) {
    switch (style) {
    case FieldQuoteStyle::Brackets: return "[" + name + "]";
    case FieldQuoteStyle::NotEnclosed: return platform::PostgreSqlIdentifier(name);
    case FieldQuoteStyle::Quotations: break;
    }
    return "\"" + name + "\"";
}

std::string IgnoredValuesClause(const std::string& fieldName, FieldQuoteStyle style,
                                const std::vector<platform::Variant>& values) {
    if (values.empty()) return {};
    const std::string field = WrapFieldName(fieldName, style);
    // Each number reads back as the one typed, so exactly those rows are left out.
    const auto number = [](const platform::Variant& value) {
        return value.IsLongLong() ? value.ToText() : platform::WhereNumberText(value.ToDouble());
    };
    if (values.size() == 1) return field + " <> " + number(values.front());
    // One list, not a chain of ANDs: a chain nests one level per value, and
    // SQLite refuses expressions deeper than a thousand levels.
    std::string clause = field + " NOT IN (";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) clause += ", ";
        clause += number(values[i]);
    }
    return clause + ")";
}

std::string NullValuesClause(const std::string& fieldName, FieldQuoteStyle style) {
    return WrapFieldName(fieldName, style) + " IS NULL";
}

}  // namespace tessaly
