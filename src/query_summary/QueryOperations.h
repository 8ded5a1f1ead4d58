#pragma once
#include <memory>
#include <string>

namespace platform {
class HostObject;
}

// What the query builder does with its query text, and how it writes field
// names into it.
namespace tessaly {

// The five ways a query is applied to a layer or table.
enum class QueryMethod { New, Add, SelectFrom, Subtract, Clear };

// "New", "Add", "Select From", "Subtract", "Clear".
const char* QueryMethodText(QueryMethod method);

// How a selection combines with the current one (selectionresult: New 0,
// Add 1, Subtract 2, SelectFrom 3); Clear has none and is error 5.
int CombinationValue(QueryMethod method);

// The definition expression after applying query `q` in Filter mode to a
// layer whose expression is `old`: New q; Add q, or "(old) OR (q)"; Subset
// "(old) AND (q)"; Subtract "(old) AND NOT (q)"; Clear "". Without an old
// expression every row is shown, so Subset keeps q and Subtract keeps
// "NOT (q)" instead of an empty pair of parentheses, which no source accepts.
// Each closing parenthesis has a line break before it ("(old\n) OR (q\n)"),
// so that a part ending in a "--" comment stays one part.
std::string FilterModeExpression(QueryMethod method, const std::string& old, const std::string& q);

// The text that says what kind of data a feature layer or standalone table
// holds: a layer's data-source type, a table's workspace description.
// A table without a workspace is error 91; any other object 13.
std::string ThemeKindText(const std::shared_ptr<platform::HostObject>& theme);

// The opening and closing text of a field token, by the kind text: "[" and
// "]" when it names a personal geodatabase in any letter case; when it
// contains "SDE" or "IMS" (letter case counts), nothing where PostgreSQL reads
// the bare name back unchanged and a double quote each elsewhere; else a
// double quote each.
// Unlike the statistics' test of a layer, containment decides for layers too.
std::string FieldToken(const std::string& fieldName, const std::string& kindText);

}  // namespace tessaly
