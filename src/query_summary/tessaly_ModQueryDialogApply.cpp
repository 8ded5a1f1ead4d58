// The query builder applying and verifying its query, and its side buttons.
#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/Table.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/AttributeTableWindow.h"
#include "src/core/ErrorHandling.h"
#include "src/core/ObjectRequired.h"
#include "src/core/SelectionSwitch.h"
#include "src/core/frmReport_modal.h"
#include "src/query_summary/ThemeViews.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/statistics/StatisticsPipeline.h"
#include "src/statistics/StatisticsReport.h"
#include "src/statistics/StatisticsReportWindows.h"
#include "src/statistics/TableLayerCollection.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "tessaly_ModQueryDialog";

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

// The data source rejects a malformed where clause with the generic failure.
bool IsRejectedQuery(const platform::ComError& error) { return error.Number() == platform::E_FAIL; }

// Makes the source evaluate the clause, so that a malformed one fails before
// anything is changed: first on its own, so that nothing in it can reach into
// the theme's definition expression, then through the theme. A source rejects
// a clause when it is set or at the first row read, and a search does both;
// counting every row as well would only scan the data once more. Only the
// object IDs (and what the clause names) are read.
void CheckSyntax(const std::shared_ptr<platform::HostObject>& theme, const platform::QueryFilter& filter) {
    ThemeSource(theme)->CheckWhereClause(filter.WhereClause());
    const auto table = ThemeTable(theme);
    platform::QueryFilter check(filter);
    check.SubFields(table->OIDFieldName());
    table->Search(&check, false);
}

}  // namespace

void tessaly_ModQueryDialog::ModQueryDoSelection(QueryMethod method) {
    Guarded(In("ModQueryDoSelection"), [&] {
        try {
            const auto document = ObjectRequired(application_).Document();
            const auto view = ObjectRequired(document).ActiveView();
            // Buttons left enabled from an earlier click may be pressed with no theme.
            if (!ThemeChosen()) return;
            const auto theme = Theme();
            const bool selectMode = optSelected.Value();
            const std::string query = txtQuery.Text();
            platform::QueryFilter filter;
            filter.WhereClause(query);

            const auto table = ThemeTable(theme);
            platform::TableSelection& selection = ThemeSelection(theme);
            platform::TableDefinition& definition = ThemeDefinition(theme);
            if (method != QueryMethod::Clear) CheckSyntax(theme, filter);
            const std::string expression = FilterModeExpression(method, definition.DefinitionExpression(), query);

            ObjectRequired(view).PartialRefresh(4, nullptr, nullptr);
            if (selectMode) {
                if (method == QueryMethod::Clear) {
                    selection.Clear();
                } else if (auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(theme)) {
                    layer->SelectFeatures(&filter, CombinationValue(method), false);
                } else {
                    selection.SelectRows(&filter, CombinationValue(method), false);
                }
                selection.SelectionChanged();
            } else {
                definition.DefinitionExpression(expression);
            }
            ShowCurrentFilter(definition.DefinitionExpression());
            view->PartialRefresh(6, theme, nullptr);
            DisplayNumSelected();
        } catch (const platform::ComError& error) {
            if (!IsRejectedQuery(error)) throw;
            platform::MsgBox(kApplySyntaxErrorText, platform::vbCritical, kSyntaxErrorTitle);
        }
    });
}

void tessaly_ModQueryDialog::cmdVerify_Click() {
    Guarded(In("cmdVerify_Click"), [&] {
        try {
            if (!ThemeChosen()) return;
            platform::QueryFilter filter;
            filter.WhereClause(txtQuery.Text());
            CheckSyntax(Theme(), filter);
            platform::MsgBox(kVerifiedText, platform::vbOKOnly, kVerifiedTitle);
        } catch (const platform::ComError& error) {
            if (!IsRejectedQuery(error)) throw;
            platform::MsgBox(kVerifySyntaxErrorText, platform::vbOKOnly, kSyntaxErrorTitle);
        }
    });
}

void tessaly_ModQueryDialog::cmdOpenTable_Click() {
    Guarded(In("cmdOpenTable_Click"), [&] { OpenAttributeTableWindow(Theme(), application_); });
}

void tessaly_ModQueryDialog::cmdSwitchSel_Click() {
    Guarded(In("cmdSwitchSel_Click"), [&] {
        const auto& document = ObjectRequired(application_).Document();
        SwitchSelection(ObjectRequired(ObjectRequired(document).ActiveView()), Theme());
        DisplayNumSelected();
    });
}

void tessaly_ModQueryDialog::cmdOpenStats_Click() {
    Guarded(In("cmdOpenStats_Click"), [&] {
        const auto theme = Theme();
        auto candidates = std::make_shared<TableLayerCollection>();
        candidates->Add(theme, "0");
        StatisticsCaller caller;
        caller.application = application_;
        caller.candidates = candidates;
        caller.currentSelected = theme;
        caller.ruleAfterIgnoredValues = kStatsDialogRule;
        caller.showReport = [this](const std::string& report) {
            ShowInModalReportWindow(ObjectRequired(report_), report);
        };
        RunStatistics(caller, settings_);
    });
}

void tessaly_ModQueryDialog::cmdCancel_Click() {
    Guarded(In("cmdCancel_Click"), [&] { Hide(); });
}

}  // namespace tessaly
