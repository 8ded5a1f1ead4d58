#include "platform/data/Geoprocessor.h"

#include <cmath>
#include <filesystem>
#include <map>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/DbaseWriter.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TextCompare.h"

namespace platform {

namespace {

enum class Statistic { Minimum, Maximum, Average, Sum, StdDev, Variance, Count };

struct Keyword {
    const char* text;
    Statistic statistic;
};
constexpr Keyword kKeywords[] = {
    {"Minimum", Statistic::Minimum}, {"Maximum", Statistic::Maximum}, {"Average", Statistic::Average},
    {"Sum", Statistic::Sum},         {"StdDev", Statistic::StdDev},   {"Variance", Statistic::Variance},
    {"Count", Statistic::Count},
};

struct Token {
    Statistic statistic;
    const char* keyword;
    int field;
    int fieldType;
    int fieldLength;
};

ComError InvalidArgument(const std::string& text) { return ComError(E_INVALIDARG, "Tessaly.Data", text); }

bool IsNumericType(int type) { return type <= fieldtype::Double || type == fieldtype::OID; }

std::vector<Token> ParseSummary(const std::string& summary, const Fields& fields) {
    std::vector<Token> tokens;
    std::string_view rest = summary;
    while (true) {
        const auto comma = rest.find(',');
        const std::string_view text = TrimBlanks(rest.substr(0, comma));
        if (!text.empty()) {
            const auto dot = text.find('.');
            if (dot == std::string_view::npos) throw InvalidArgument("Not a summary statistic: " + std::string(text));
            const std::string_view keyword = TrimBlanks(text.substr(0, dot));
            const std::string name(TrimBlanks(text.substr(dot + 1)));
            const Keyword* found = nullptr;
            for (const auto& k : kKeywords)
                if (EqualsIgnoringCase(k.text, keyword)) found = &k;
            if (found == nullptr) throw InvalidArgument("Unknown statistic: " + std::string(keyword));
            const int index = fields.FindField(name);
            if (index < 0) throw InvalidArgument("Field not found: " + name);
            const Field& field = *fields.Field(index);
            const bool needsNumbers = found->statistic != Statistic::Minimum &&
                                      found->statistic != Statistic::Maximum && found->statistic != Statistic::Count;
            if (field.Type() >= fieldtype::Geometry || (needsNumbers && !IsNumericType(field.Type())))
                throw InvalidArgument(std::string(found->text) + " cannot summarize the field " + field.Name());
            tokens.push_back({found->statistic, found->text, index, field.Type(), field.Length()});
        }
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    if (tokens.empty()) throw InvalidArgument("No summary statistics were given");
    return tokens;
}

// keyword_field cut to dBASE's 10 characters; a clash gets a numbered ending.
std::vector<std::string> ColumnNames(const std::vector<Token>& tokens, const Fields& fields) {
    std::vector<std::string> names;
    auto taken = [&names](const std::string& candidate) {
        for (const auto& name : names)
            if (EqualsIgnoringCase(name, candidate)) return true;
        return false;
    };
    for (const auto& token : tokens) {
        const std::string full = std::string(token.keyword) + "_" + fields.Field(token.field)->Name();
        std::string name = full.substr(0, 10);
        for (int n = 1; taken(name); ++n) {
            const std::string suffix = "_" + std::to_string(n);
            name = full.substr(0, 10 - suffix.size()) + suffix;
        }
        names.push_back(name);
    }
    return names;
}

// Compares two non-null values of one field.
bool Less(const Variant& a, const Variant& b) {
    if (a.IsString() && b.IsString()) return a.AsString() < b.AsString();
    if (a.IsNumeric() && b.IsNumeric()) return a.ToDouble() < b.ToDouble();
    return a < b;
}

struct Accumulator {
    Variant minimum;
    Variant maximum;
    std::int64_t n = 0;
    double mean = 0;  // running mean and sum of squared deviations (Welford)
    double m2 = 0;
    double sum = 0;

    void Add(const Variant& value, bool numeric) {
        if (value.IsNull() || value.IsEmpty()) return;
        if (minimum.IsEmpty() || Less(value, minimum)) minimum = value;
        if (maximum.IsEmpty() || Less(maximum, value)) maximum = value;
        ++n;
        if (!numeric) return;
        const double x = value.ToDouble();
        sum += x;
        const double delta = x - mean;
        mean += delta / static_cast<double>(n);
        m2 += delta * (x - mean);
    }
};

struct Group {
    std::int64_t rows = 0;
    std::vector<Accumulator> accumulators;
};

Variant Result(const Token& token, const Group& group, const Accumulator& a) {
    switch (token.statistic) {
    case Statistic::Minimum: return a.n ? a.minimum : Variant::Null();
    case Statistic::Maximum: return a.n ? a.maximum : Variant::Null();
    case Statistic::Average: return a.n ? Variant(a.mean) : Variant::Null();
    case Statistic::Sum: return a.n ? Variant(a.sum) : Variant::Null();
    case Statistic::Variance: return a.n ? Variant(a.n > 1 ? a.m2 / static_cast<double>(a.n - 1) : 0.0) : Variant::Null();
    case Statistic::StdDev:
        return a.n ? Variant(a.n > 1 ? std::sqrt(a.m2 / static_cast<double>(a.n - 1)) : 0.0) : Variant::Null();
    case Statistic::Count: return Variant(static_cast<std::int32_t>(group.rows));
    }
    return Variant::Null();
}

DbaseColumn ColumnFor(const Token& token, std::string name) {
    if (token.statistic == Statistic::Count) return {std::move(name), fieldtype::Integer, 9};
    const bool keepsType = token.statistic == Statistic::Minimum || token.statistic == Statistic::Maximum;
    if (keepsType && token.fieldType == fieldtype::String)
        return {std::move(name), fieldtype::String, token.fieldLength > 0 && token.fieldLength <= 254 ? token.fieldLength : 254};
    if (keepsType && token.fieldType == fieldtype::Date) return {std::move(name), fieldtype::Date, 8};
    return {std::move(name), fieldtype::Double, 24};
}

std::string OutputPath(const std::shared_ptr<DatasetName>& outputName) {
    if (!outputName || !outputName->WorkspaceName()) throw InvalidArgument("The output has no workspace");
    std::string name = outputName->Name();
    if (name.empty()) throw InvalidArgument("The output has no name");
    if (name.size() < 4 || !EqualsIgnoringCase(name.substr(name.size() - 4), ".dbf")) name += ".dbf";
    std::string folder = outputName->WorkspaceName()->PathName();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        throw ComError(E_FAIL, "Tessaly.Data", "Unable to save output to " + folder);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const std::string path = folder + name;
    if (std::filesystem::exists(path, ec)) throw ComError(E_FAIL, "Tessaly.Data", "Table already exists: " + path);
    return path;
}

}  // namespace

std::shared_ptr<Table> Geoprocessor::Dissolve(const std::shared_ptr<Table>& input, bool selectedOnly,
                                              const std::string& caseField, const std::string& summary,
                                              const std::shared_ptr<DatasetName>& outputName) {
    if (!input) throw ComError(E_POINTER, "Tessaly.Data", "No input table");
    const Fields& fields = *input->Fields();
    const int caseIndex = fields.FindField(caseField);
    if (caseIndex < 0 || fields.Field(caseIndex)->Type() >= fieldtype::Geometry)
        throw InvalidArgument("Field not found: " + caseField);
    const std::vector<Token> tokens = ParseSummary(summary, fields);
    const std::string path = OutputPath(outputName);

    std::shared_ptr<Cursor> cursor;
    if (selectedOnly) {
        auto selection = std::dynamic_pointer_cast<TableSelection>(input);
        std::shared_ptr<SelectionSet> set = selection ? selection->SelectionSet() : nullptr;
        if (!set) throw InvalidArgument("The input keeps no selection");
        cursor = set->Search(nullptr, true);
    } else {
        cursor = input->Search(nullptr, true);
    }

    // Ordered by the case value; Null sorts first, a group of its own.
    std::map<Variant, Group> groups;
    while (auto row = cursor->NextRow()) {
        Group& group = groups[row->Value(caseIndex)];
        if (group.accumulators.empty()) group.accumulators.resize(tokens.size());
        ++group.rows;
        for (std::size_t t = 0; t < tokens.size(); ++t)
            group.accumulators[t].Add(row->Value(tokens[t].field), IsNumericType(tokens[t].fieldType));
    }

    const std::vector<std::string> names = ColumnNames(tokens, fields);
    std::vector<DbaseColumn> columns;
    for (std::size_t t = 0; t < tokens.size(); ++t) columns.push_back(ColumnFor(tokens[t], names[t]));
    std::vector<std::vector<Variant>> records;
    for (const auto& [value, group] : groups) {
        std::vector<Variant> record;
        for (std::size_t t = 0; t < tokens.size(); ++t)
            record.push_back(Result(tokens[t], group, group.accumulators[t]));
        records.push_back(std::move(record));
    }
    WriteDbaseTable(path, columns, records);
    return SourceTable::Open(path);
}

}  // namespace platform
