#include "platform/data/Geoprocessor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <utility>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/DbaseWriter.h"
#include "platform/data/ExactSum.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TextCompare.h"
#include "platform/data/VariantIndex.h"

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
    int accumulator = -1;  // index into the accumulators; -1 for Count and the case value itself
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
            tokens.push_back({found->statistic, found->text, index, field.Type()});
        }
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    if (tokens.empty()) throw InvalidArgument("No summary statistics were given");
    return tokens;
}

// keyword_field as a valid dBASE name; a clash gets a numbered ending.
std::vector<std::string> ColumnNames(const std::vector<Token>& tokens, const Fields& fields) {
    std::vector<std::string> names;
    auto taken = [&names](const std::string& candidate) {
        for (const auto& name : names)
            if (EqualsIgnoringCase(name, candidate)) return true;
        return false;
    };
    for (const auto& token : tokens) {
        const std::string full = std::string(token.keyword) + "_" + fields.Field(token.field)->Name();
        std::string name = DbaseColumnName(full);
        for (int n = 1; taken(name); ++n) {
            const std::string suffix = "_" + std::to_string(n);
            name = DbaseColumnName(full, 10 - suffix.size()) + suffix;
        }
        names.push_back(name);
    }
    return names;
}

// One field's running values in each group: numbers as doubles, sums exactly.
// Which of them a field keeps depends on the statistics asked of it; their
// offsets into a group's numbers and sums are -1 when not kept. 64-bit
// integers keep their extremes exact, beside those of any other numbers.
struct Accumulator {
    int field = -1;
    bool text = false;  // minimum and maximum compare as text
    bool date = false;  // ... as day and time of day
    int n = -1, minimum = -1, maximum = -1;
    int sum = -1, squares = -1;  // offsets into a group's exact sums
    int textMinimum = -1, textMaximum = -1;  // offsets into a group's texts
    int wholeExtremes = -1;  // offset of the minimum, then the maximum, into a group's integers
    bool objectIds = false;  // 32-bit IDs beside 64-bit ones: all kept as integers
};

// A date as a count of days that grows with time: before 30 December 1899 the
// stored number is the day, negative, minus the time of day.
double DateOrder(double oleDate) {
    if (std::isinf(oleDate)) return oleDate;
    const double day = std::trunc(oleDate);
    return day + std::abs(oleDate - day);
}

bool Before(const Accumulator& a, double x, double y) { return a.date ? DateOrder(x) < DateOrder(y) : x < y; }

// Adds a value to a field's exact sum and, when kept, its sum of squares;
// whole numbers are added as they are.
void Accumulate(ExactSum& sum, ExactSum* squares, const Variant& value) {
    if (value.IsInteger() || value.IsLongLong()) {
        const std::int64_t whole = value.IsInteger() ? value.AsInteger() : value.AsLongLong();
        sum.Add(whole);
        if (squares) squares->AddSquare(whole);
        return;
    }
    const double x = value.ToDouble();
    sum.Add(x);
    if (squares) squares->AddSquare(x);
}

// A statistic beyond the range of doubles cannot be written as a number a reader takes: it is Null.
Variant Finite(double value) { return std::isfinite(value) ? Variant(value) : Variant::Null(); }

// A group in the order of its case value. A 64-bit integer value is held here
// too, so that a million of them are sorted and written without reaching into
// the list of keys, kept in the order first met, at every step.
struct OrderedGroup {
    const Variant* key;
    std::int64_t integer;
    std::uint32_t group;
    bool isInteger;

    const Variant& Key(Variant& held) const { return isInteger ? (held = Variant::LongLong(integer)) : *key; }
};

// The groups of one dissolve: one per distinct case value, each with its
// record count and its accumulators' numbers and texts in flat arrays.
class Groups {
public:
    Groups(const Groups&) = delete;  // the index refers to the keys
    Groups& operator=(const Groups&) = delete;
    Groups(std::vector<Token>& tokens, int caseField) {
        numberSlots_ = 1;  // the group's record count
        for (Token& token : tokens) {
            const bool isMinOrMax = token.statistic == Statistic::Minimum || token.statistic == Statistic::Maximum;
            // The case value is the minimum and maximum of its own field.
            if (token.statistic == Statistic::Count || (isMinOrMax && token.field == caseField)) continue;
            auto found = std::find_if(accumulators_.begin(), accumulators_.end(),
                                      [&](const Accumulator& a) { return a.field == token.field; });
            if (found == accumulators_.end()) {
                Accumulator added;
                added.field = token.field;
                added.text = token.fieldType == fieldtype::String;
                added.objectIds = token.fieldType == fieldtype::OID;
                added.date = token.fieldType == fieldtype::Date;
                added.n = numberSlots_++;
                accumulators_.push_back(added);
                found = accumulators_.end() - 1;
            }
            Accumulator& a = *found;
            token.accumulator = static_cast<int>(found - accumulators_.begin());
            auto keep = [](int& slot, int& count) {
                if (slot < 0) slot = count++;
            };
            if (isMinOrMax && !a.text) {
                keep(a.minimum, numberSlots_);
                keep(a.maximum, numberSlots_);
                if (a.wholeExtremes < 0) a.wholeExtremes = std::exchange(integerSlots_, integerSlots_ + 2);
            }
            switch (token.statistic) {
            case Statistic::Minimum: if (a.text) keep(a.textMinimum, textSlots_); break;
            case Statistic::Maximum: if (a.text) keep(a.textMaximum, textSlots_); break;
            case Statistic::Sum:
            case Statistic::Average: keep(a.sum, sumSlots_); break;
            case Statistic::StdDev:
            case Statistic::Variance:
                keep(a.sum, sumSlots_);
                keep(a.squares, sumSlots_);
                break;
            case Statistic::Count: break;
            }
        }
        initial_.assign(static_cast<std::size_t>(numberSlots_), 0.0);
        initialIntegers_.assign(static_cast<std::size_t>(integerSlots_), 0);
        for (const Accumulator& a : accumulators_) {
            if (a.minimum >= 0) initial_[a.minimum] = std::numeric_limits<double>::infinity();
            if (a.maximum >= 0) initial_[a.maximum] = -std::numeric_limits<double>::infinity();
            if (a.wholeExtremes >= 0) {
                initialIntegers_[a.wholeExtremes] = std::numeric_limits<std::int64_t>::max();
                initialIntegers_[a.wholeExtremes + 1] = std::numeric_limits<std::int64_t>::min();
            }
        }
    }

    // The fields a reading must fetch.
    std::vector<int> Fields() const {
        std::vector<int> fields;
        for (const Accumulator& a : accumulators_) fields.push_back(a.field);
        return fields;
    }

    void Add(const Row& row, int caseField) {
        // A NaN case value belongs with the Nulls.
        static const Variant null = Variant::Null();
        const Variant& caseValue = row.Value(caseField);
        const auto [group, added] = index_.Insert(caseValue.IsDouble() && std::isnan(caseValue.AsDouble()) ? null : caseValue);
        if (added) {
            numbers_.insert(numbers_.end(), initial_.begin(), initial_.end());
            texts_.resize(texts_.size() + static_cast<std::size_t>(textSlots_));
            integers_.insert(integers_.end(), initialIntegers_.begin(), initialIntegers_.end());
            sums_.resize(sums_.size() + static_cast<std::size_t>(sumSlots_));
        }
        double* numbers = &numbers_[group * static_cast<std::size_t>(numberSlots_)];
        std::string* texts = textSlots_ ? &texts_[group * static_cast<std::size_t>(textSlots_)] : nullptr;
        ExactSum* sums = sumSlots_ ? &sums_[group * static_cast<std::size_t>(sumSlots_)] : nullptr;
        numbers[0] += 1;
        for (const Accumulator& a : accumulators_) {
            const Variant& value = row.Value(a.field);
            // A NaN is no value, as a Null is.
            if (value.IsNull() || value.IsEmpty() || (value.IsNumeric() && std::isnan(value.ToDouble()))) continue;
            const double n = numbers[a.n] += 1;
            if (a.text) {
                std::string converted;
                const std::string& text = value.IsString() ? value.AsString() : (converted = value.ToText());
                if (a.textMinimum >= 0 && (n == 1 || text < texts[a.textMinimum])) texts[a.textMinimum] = text;
                if (a.textMaximum >= 0 && (n == 1 || texts[a.textMaximum] < text)) texts[a.textMaximum] = text;
                continue;
            }
            const bool whole = value.IsLongLong() || (a.objectIds && value.IsInteger());
            if (a.wholeExtremes >= 0 && whole) {
                const std::int64_t integer = value.IsLongLong() ? value.AsLongLong() : value.AsInteger();
                std::int64_t* extremes = &integers_[group * static_cast<std::size_t>(integerSlots_) +
                                                    static_cast<std::size_t>(a.wholeExtremes)];
                extremes[0] = std::min(extremes[0], integer);
                extremes[1] = std::max(extremes[1], integer);
                if (a.sum < 0) continue;
            }
            const double x = value.ToDouble();
            if (a.minimum >= 0 && !whole && Before(a, x, numbers[a.minimum])) numbers[a.minimum] = x;
            if (a.maximum >= 0 && !whole && Before(a, numbers[a.maximum], x)) numbers[a.maximum] = x;
            if (a.sum >= 0) Accumulate(sums[a.sum], a.squares >= 0 ? &sums[a.squares] : nullptr, value);
        }
    }

    // The groups in ascending order of their case value, Null first.
    std::vector<OrderedGroup> Ordered() const {
        std::vector<OrderedGroup> ordered;
        ordered.reserve(keys_.size());
        for (std::uint32_t group = 0; group < keys_.size(); ++group) {
            const Variant& key = keys_[group];
            ordered.push_back({&key, key.IsLongLong() ? key.AsLongLong() : 0, group, key.IsLongLong()});
        }
        std::sort(ordered.begin(), ordered.end(), [](const OrderedGroup& a, const OrderedGroup& b) {
            if (a.isInteger && b.isInteger) return a.integer < b.integer;
            if (a.key->IsDate() && b.key->IsDate()) return DateOrder(a.key->AsDate()) < DateOrder(b.key->AsDate());
            return *a.key < *b.key;
        });
        return ordered;
    }

    Variant Result(const Token& token, const Variant& key, std::uint32_t group) const {
        const double* numbers = &numbers_[group * static_cast<std::size_t>(numberSlots_)];
        if (token.statistic == Statistic::Count) return Variant(static_cast<std::int32_t>(numbers[0]));
        if (token.accumulator < 0) return key;
        const Accumulator& a = accumulators_[static_cast<std::size_t>(token.accumulator)];
        const double n = numbers[a.n];
        if (n == 0) return Variant::Null();
        const std::string* texts = textSlots_ ? &texts_[group * static_cast<std::size_t>(textSlots_)] : nullptr;
        auto extreme = [&](bool highest) {
            if (a.text) return Variant(texts[highest ? a.textMaximum : a.textMinimum]);
            const double number = numbers[highest ? a.maximum : a.minimum];
            if (token.fieldType == fieldtype::Date) return Variant::Date(number);
            const std::int64_t* whole = &integers_[group * static_cast<std::size_t>(integerSlots_) +
                                                   static_cast<std::size_t>(a.wholeExtremes)];
            if (whole[0] > whole[1]) return Variant(number);  // no integer kept among the values
            const std::int64_t integer = whole[highest ? 1 : 0];
            // Other numbers too: the extreme of all of them, as a double.
            if (numbers[a.minimum] <= numbers[a.maximum])
                return Variant(highest ? std::max(number, static_cast<double>(integer))
                                       : std::min(number, static_cast<double>(integer)));
            return Variant::LongLong(integer);
        };
        const ExactSum* sums = sumSlots_ ? &sums_[group * static_cast<std::size_t>(sumSlots_)] : nullptr;
        const auto count = static_cast<std::int64_t>(n);
        switch (token.statistic) {
        case Statistic::Minimum: return extreme(false);
        case Statistic::Maximum: return extreme(true);
        case Statistic::Average: return Finite(Rounded15(ExactMean(sums[a.sum], count)));
        case Statistic::Sum: return Finite(Rounded15(sums[a.sum].Value()));
        case Statistic::Variance: return Finite(Rounded15(ExactVariance(sums[a.sum], sums[a.squares], count)));
        case Statistic::StdDev: return Finite(Rounded15OfRoot(ExactVariance(sums[a.sum], sums[a.squares], count)));
        case Statistic::Count: break;
        }
        return Variant::Null();
    }

private:
    std::vector<Accumulator> accumulators_;
    int numberSlots_ = 0;
    int textSlots_ = 0;
    int integerSlots_ = 0;
    int sumSlots_ = 0;
    std::vector<double> initial_;
    std::vector<std::int64_t> initialIntegers_;
    std::vector<std::int64_t> integers_;
    std::vector<Variant> keys_;  // the case value of each group
    VariantIndex index_{keys_};
    std::vector<double> numbers_;
    std::vector<std::string> texts_;
    std::vector<ExactSum> sums_;
};

// A date's time of day in milliseconds, rounded.
std::int64_t TimeOfDayMs(double oleDate) {
    const DateParts p = PartsFromOleDate(oleDate);
    const std::int64_t ms = p.hour * 3600000LL + p.minute * 60000LL + std::llround(p.second * 1000);
    return std::min<std::int64_t>(ms, 86399999);
}

std::string DateTimeText(double oleDate, bool milliseconds) {
    const DateParts p = PartsFromOleDate(oleDate);
    const std::int64_t ms = TimeOfDayMs(oleDate);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day,
                  static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60));
    std::string result = text;
    if (milliseconds) {
        std::snprintf(text, sizeof text, ".%03d", static_cast<int>(ms % 1000));
        result += text;
    }
    return result;
}

// How a column is written, decided from every value it must hold.
struct ColumnPlan {
    DbaseColumn column;
    bool dateTimes = false;     // a Date column whose values carry a time: written as text
    bool milliseconds = false;  // ... with milliseconds
    // A Double column whose values are all integers, some of them 64-bit (object
    // IDs mix both), becomes an integer column as wide as the longest of them.
    bool reals = false;
    bool wholes = false;
    bool wide = false;
    std::int64_t wholeMinimum = 0, wholeMaximum = 0;
};

ColumnPlan PlanFor(const Token& token, const Field& field, std::string name) {
    ColumnPlan plan{DbaseColumn{std::move(name), fieldtype::Double}};
    const bool keepsType = token.statistic == Statistic::Minimum || token.statistic == Statistic::Maximum;
    if (token.statistic == Statistic::Count) {
        plan.column.type = fieldtype::Integer;
        plan.column.width = 9;
    } else if (keepsType && field.Type() == fieldtype::String) {
        plan.column.type = fieldtype::String;
        plan.column.width = 1;
    } else if (keepsType && field.Type() == fieldtype::Date) {
        plan.column.type = fieldtype::Date;
        plan.column.width = 8;
    }
    return plan;
}

void Fit(ColumnPlan& plan, const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return;
    DbaseColumn& column = plan.column;
    switch (column.type) {
    case fieldtype::Integer:
        column.width = std::max(column.width, static_cast<int>(value.ToText().size()));
        break;
    case fieldtype::String:
        column.width = std::max(column.width, static_cast<int>(value.ToText().size()));
        break;
    case fieldtype::Date: {
        const std::int64_t ms = TimeOfDayMs(value.ToDouble());
        plan.dateTimes = plan.dateTimes || ms != 0;
        plan.milliseconds = plan.milliseconds || ms % 1000 != 0;
        break;
    }
    default:
        if (value.IsLongLong() || value.IsInteger()) {
            const std::int64_t n = value.IsLongLong() ? value.AsLongLong() : value.AsInteger();
            plan.wide = plan.wide || value.IsLongLong();
            plan.wholeMinimum = plan.wholes ? std::min(plan.wholeMinimum, n) : n;
            plan.wholeMaximum = plan.wholes ? std::max(plan.wholeMaximum, n) : n;
            plan.wholes = true;
            break;
        }
        plan.reals = true;
        FitNumber(column, value.ToDouble());
        break;
    }
}

// The column's type and width once every value was fitted. A Date column that
// holds times becomes text "yyyy-mm-dd hh:mm:ss[.sss]", so that case values of
// one day stay apart.
void Settle(ColumnPlan& plan) {
    if (plan.wholes && (plan.reals || !plan.wide)) {
        // Integer values need only their digits before the point: the widest are the extremes.
        FitNumber(plan.column, static_cast<double>(plan.wholeMinimum));
        FitNumber(plan.column, static_cast<double>(plan.wholeMaximum));
    } else if (plan.wholes) {
        plan.column.type = fieldtype::Integer;
        plan.column.width = static_cast<int>(std::max(Variant::LongLong(plan.wholeMinimum).ToText().size(),
                                                      Variant::LongLong(plan.wholeMaximum).ToText().size()));
    }
    if (!plan.dateTimes) return;
    plan.column.type = fieldtype::String;
    plan.column.width = plan.milliseconds ? 23 : 19;
}

Variant Written(const ColumnPlan& plan, Variant value) {
    if (plan.dateTimes && !value.IsNull() && !value.IsEmpty())
        return Variant(DateTimeText(value.ToDouble(), plan.milliseconds));
    return value;
}

// The file a dissolve into outputName writes; refused when it or its code-page file exists.
std::string OutputPath(const std::shared_ptr<DatasetName>& outputName) {
    if (!outputName || !outputName->WorkspaceName()) throw InvalidArgument("The output has no workspace");
    const std::string name = outputName->Name();
    if (name.empty()) throw InvalidArgument("The output has no name");
    std::string folder = outputName->WorkspaceName()->PathName();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        throw ComError(E_FAIL, "Tessaly.Data", "Unable to save output to " + folder);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const std::string path = folder + name;
    if (DissolveOutputExists(path)) throw ComError(E_FAIL, "Tessaly.Data", "Table already exists: " + path);
    return DbaseFilesOf(path).front();
}

}  // namespace

bool DissolveOutputExists(const std::string& outputPath) {
    for (const std::string& file : DbaseFilesOf(outputPath)) {
        const std::filesystem::path wanted(file);
        const std::string name = wanted.filename().string();
        const std::string stem = name.substr(0, name.size() - 4);
        std::error_code ec;
        const auto folder = wanted.has_parent_path() ? wanted.parent_path() : std::filesystem::path(".");
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string other = it->path().filename().string();
            if (other.size() == name.size() && other.compare(0, stem.size(), stem) == 0 &&
                EqualsIgnoringCase(other.substr(stem.size()), name.substr(stem.size())))
                return true;
        }
    }
    return false;
}

std::shared_ptr<Table> Geoprocessor::Dissolve(const std::shared_ptr<Table>& input, bool selectedOnly,
                                              const std::string& caseField, const std::string& summary,
                                              const std::shared_ptr<DatasetName>& outputName) {
    if (!input) throw ComError(E_POINTER, "Tessaly.Data", "No input table");
    const Fields& fields = *input->Fields();
    const int caseIndex = fields.FindField(caseField);
    if (caseIndex < 0 || fields.Field(caseIndex)->Type() >= fieldtype::Geometry)
        throw InvalidArgument("Field not found: " + caseField);
    std::vector<Token> tokens = ParseSummary(summary, fields);
    const std::string path = OutputPath(outputName);

    Groups groups(tokens, caseIndex);
    // Only the case field and the summarized fields are read.
    QueryFilter reading;
    std::string subFields = fields.Field(caseIndex)->Name();
    for (int field : groups.Fields()) subFields += "," + fields.Field(field)->Name();
    reading.SubFields(subFields);
    std::shared_ptr<Cursor> cursor;
    if (selectedOnly) {
        auto selection = std::dynamic_pointer_cast<TableSelection>(input);
        std::shared_ptr<SelectionSet> set = selection ? selection->SelectionSet() : nullptr;
        if (!set) throw InvalidArgument("The input keeps no selection");
        cursor = set->Search(&reading, true);
    } else {
        cursor = input->Search(&reading, true);
    }
    while (auto row = cursor->NextRow()) groups.Add(*row, caseIndex);
    cursor.reset();

    // Every column is sized from the values it must hold before the first record is written.
    const auto ordered = groups.Ordered();
    const std::vector<std::string> names = ColumnNames(tokens, fields);
    std::vector<ColumnPlan> plans;
    for (std::size_t t = 0; t < tokens.size(); ++t) plans.push_back(PlanFor(tokens[t], *fields.Field(tokens[t].field), names[t]));
    Variant held;
    for (const OrderedGroup& entry : ordered)
        for (std::size_t t = 0; t < tokens.size(); ++t)
            Fit(plans[t], groups.Result(tokens[t], entry.Key(held), entry.group));
    std::vector<DbaseColumn> columns;
    for (ColumnPlan& plan : plans) {
        Settle(plan);
        columns.push_back(plan.column);
    }

    DbaseWriter writer(path, columns);
    std::vector<Variant> record(tokens.size());
    for (const OrderedGroup& entry : ordered) {
        for (std::size_t t = 0; t < tokens.size(); ++t)
            record[t] = Written(plans[t], groups.Result(tokens[t], entry.Key(held), entry.group));
        writer.Write(record);
    }
    writer.Close();
    // The table is done only when it reads back with every record.
    auto table = SourceTable::Open(writer.Path());
    if (table->RowCount(nullptr) != static_cast<std::int64_t>(ordered.size()))
        throw ComError(E_FAIL, "Tessaly.Data", "The table " + writer.Path() + " did not read back whole");
    writer.Keep();
    return table;
}

}  // namespace platform
