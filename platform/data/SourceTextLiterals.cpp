// Where-clause literals written from the source's own text of a value.
#include <algorithm>
#include <map>

#include "platform/com/Hresult.h"
#include "platform/data/GdalSource.h"
#include "platform/data/GdalSupport.h"
#include "platform/data/PostgreSql.h"

namespace platform {

namespace {

// The value GDAL reads from the text of a date-time or a number.
Variant ValueOfText(const char* text, OGRFieldType type) {
    if (type == OFTReal) return Variant(CPLAtof(text));
    OGRField parsed;
    if (!OGRParseDate(text, &parsed, 0)) return Variant();
    // GDAL keeps the seconds as a float.
    const float second = parsed.Date.Second;
    return Variant::Date(OleDateFromParts(
        {parsed.Date.Year, parsed.Date.Month, parsed.Date.Day, parsed.Date.Hour, parsed.Date.Minute, second}));
}

// Digits with an optional sign, decimals and exponent: a number literal as it is.
bool IsPlainNumber(const std::string& text) {
    std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i > start;
    };
    if (!digits()) return false;
    if (i < text.size() && text[i] == '.' && (++i, !digits())) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        if (!digits()) return false;
    }
    return i == text.size();
}

}  // namespace

SourceTable::WhereLiterals SourceTable::WhereLiteralWriter(const std::string& fieldName) const {
    const int index = impl_->fields->FindField(fieldName);
    if (index < 0) throw DataError(E_INVALIDARG, "Field not found: " + fieldName);
    const int gdal = impl_->gdalField[static_cast<std::size_t>(index)];
    const OGRFieldType type = impl_->gdalType[static_cast<std::size_t>(index)];
    const std::string& name = impl_->fields->Field(index)->Name();
    std::string sql;
    // A real (float4) is written as a typed literal instead (WhereLiteral).
    const bool real = impl_->fields->Field(index)->Type() == fieldtype::Single;
    if (gdal >= 0 && impl_->kind == WorkspaceKind::PostgreSQL && (type == OFTDateTime || (type == OFTReal && !real)))
        sql = "SELECT DISTINCT " + QuotedText(name, '"') + "::text FROM " + PostgreSqlTableName(impl_->layerName);
    if (gdal >= 0 && impl_->kind == WorkspaceKind::GeoPackage && type == OFTDateTime)
        sql = "SELECT DISTINCT CAST(" + QuotedText(name, '"') + " AS TEXT) FROM " + QuotedText(impl_->layerName, '"');
    auto self = shared_from_this();
    if (sql.empty())
        return [self, name](const Variant& value, std::vector<std::string>& lines) {
            lines.push_back(self->WhereLiteral(name, value));
        };

    auto texts = std::make_shared<std::map<Variant, std::vector<std::string>>>();
    {
        GdalErrorCapture capture;
        Impl::Handle handle = impl_->Acquire();
        OGRLayer* result = handle.owned->ExecuteSQL(sql.c_str(), nullptr, nullptr);
        if (result == nullptr || capture.Failed()) {
            if (result) handle.owned->ReleaseResultSet(result);
            throw DataError(E_DATAUNREADABLE, capture.Message("The values of " + name + " could not be read"));
        }
        while (OGRFeatureUniquePtr feature{result->GetNextFeature()}) {
            if (!feature->IsFieldSetAndNotNull(0)) continue;
            const char* text = feature->GetFieldAsString(0);
            const Variant value = ValueOfText(text, type);
            if (!value.IsEmpty()) (*texts)[value].push_back(text);
        }
        handle.owned->ReleaseResultSet(result);
    }
    for (auto& [value, forms] : *texts) std::sort(forms.begin(), forms.end());
    return [self, name, texts, type](const Variant& value, std::vector<std::string>& lines) {
        const auto found = texts->find(value);
        if (found == texts->end()) return lines.push_back(self->WhereLiteral(name, value));
        for (const std::string& text : found->second)
            lines.push_back(type == OFTReal && IsPlainNumber(text) ? text : WhereStringLiteral(text));
    };
}

}  // namespace platform
