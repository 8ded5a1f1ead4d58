#include "src/query_summary/QueryOperations.h"

#include <memory>

#include "platform/com/ComError.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/Workspace.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/statistics/FieldQuoteStyle.h"

namespace tessaly {

const char* QueryMethodText(QueryMethod method) {
    switch (method) {
    case QueryMethod::New: return "New";
    case QueryMethod::Add: return "Add";
    case QueryMethod::SelectFrom: return "Select From";
    case QueryMethod::Subtract: return "Subtract";
    case QueryMethod::Clear: break;
    }
    return "Clear";
}

int CombinationValue(QueryMethod method) {
    switch (method) {
    case QueryMethod::New: return platform::selectionresult::New;
    case QueryMethod::Add: return platform::selectionresult::Add;
    case QueryMethod::SelectFrom: return platform::selectionresult::And;
    case QueryMethod::Subtract: return platform::selectionresult::Subtract;
    case QueryMethod::Clear: break;
    }
    throw platform::RuntimeError(platform::vberr::InvalidCall);
}

std::string FilterModeExpression(QueryMethod method, const std::string& old, const std::string& q) {
    switch (method) {
    // A line break before each closing parenthesis ends a part's "--" comment there.
    case QueryMethod::New: return q;
    case QueryMethod::Add: return old.empty() ? q : "(" + old + "\n) OR (" + q + "\n)";
    case QueryMethod::SelectFrom: return old.empty() ? q : "(" + old + "\n) AND (" + q + "\n)";
    case QueryMethod::Subtract: return old.empty() ? "NOT (" + q + "\n)" : "(" + old + "\n) AND NOT (" + q + "\n)";
    case QueryMethod::Clear: break;
    }
    return {};
}

std::string ThemeKindText(const std::shared_ptr<platform::HostObject>& theme) {
    if (auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(theme)) return layer->DataSourceType();
    auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(theme);
    if (!table) throw platform::RuntimeError(theme ? platform::vberr::TypeMismatch : platform::vberr::ObjectNotSet);
    const auto workspace = table->Workspace();
    if (!workspace || !workspace->WorkspaceFactory()) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    return workspace->WorkspaceFactory()->WorkspaceDescription(false);
}

std::string FieldToken(const std::string& fieldName, const std::string& kindText) {
    // The containment tests the statistics apply to a table's workspace description.
    return WrapFieldName(fieldName, QuoteStyleForWorkspaceDescription(kindText));
}

}  // namespace tessaly
