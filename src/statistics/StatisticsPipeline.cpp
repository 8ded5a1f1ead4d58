#include "src/statistics/StatisticsPipeline.h"

#include <ctime>
#include <exception>

#include "platform/com/ComError.h"
#include "platform/forms/Screen.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/StatusBar.h"
#include "src/statistics/FieldStatistics.h"
#include "src/statistics/FieldValues.h"
#include "src/statistics/StatsDialogSettings.h"
#include "src/statistics/TessalyFunctionsNumNames.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace tessaly {
namespace {

// Puts the pointer and the progress bar back when a run ends by an error.
class RunCleanup {
public:
    explicit RunCleanup(std::shared_ptr<platform::Application> application)
        : application_(std::move(application)), exceptions_(std::uncaught_exceptions()) {}
    RunCleanup(const RunCleanup&) = delete;
    RunCleanup& operator=(const RunCleanup&) = delete;
    ~RunCleanup() {
        if (std::uncaught_exceptions() == exceptions_) return;
        try {
            if (application_ && application_->StatusBar()) application_->StatusBar()->HideProgressBar();
        } catch (...) {
        }
        try {
            platform::screen::SetMousePointer(platform::vbDefault);
        } catch (...) {
        }
    }

private:
    std::shared_ptr<platform::Application> application_;
    int exceptions_;
};

// Unloads the setup dialog when the run leaves before doing so itself.
struct DialogUnloader {
    tessaly_ThemeIDDialog& dialog;
    ~DialogUnloader() {
        try {
            if (dialog.IsLoaded()) dialog.Unload();
        } catch (...) {
        }
    }
};

struct ChosenField {
    std::int32_t index;
    std::string name;
    std::string alias;
};

// The chosen layer or table as the run reads it, with its fields in the order chosen.
StatisticsSource SourceOf(const std::shared_ptr<platform::Table>& chosen, const std::vector<std::int32_t>& indices,
                          std::vector<ChosenField>& fields) {
    StatisticsSource source;
    const platform::TableFields* tableFields = nullptr;
    if (auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(chosen)) {
        source.quoteStyle = QuoteStyleOf(*layer);
        source.name = layer->Name();
        source.table = layer;
        source.selection = layer->SelectionSet();
        tableFields = layer.get();
    } else if (auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(chosen)) {
        source.quoteStyle = QuoteStyleOf(*table);
        source.name = table->Name();
        source.table = table->Table();
        source.selection = table->SelectionSet();
        tableFields = table.get();
    } else {
        throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    }
    for (std::int32_t index : indices)
        fields.push_back({index, tableFields->Field(index)->Name(), tableFields->FieldInfo(index)->Alias()});
    if (!source.selection) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    return source;
}

}  // namespace

void RunStatistics(const StatisticsCaller& caller, StatsDialogSettings& settings) {
    RunCleanup cleanup(caller.application);

    auto dialog = std::make_shared<tessaly_ThemeIDDialog>();
    DialogUnloader unloader{*dialog};
    dialog->ArcApplication(caller.application);
    dialog->theTableLayers(caller.candidates);
    dialog->theCurrentSelected(caller.currentSelected);
    dialog->txtNoData.SetText(settings.excludeText);
    dialog->chkNoData.SetValue(settings.ignoreValues ? platform::vbChecked : platform::vbUnchecked);
    dialog->cbxDecPlaces.SetListIndex(settings.decimalPlaces);
    dialog->Show(platform::vbModal);
    if (!dialog->ShouldContinue()) return;

    const std::shared_ptr<platform::Table> chosen = dialog->StatisticsTable();
    const std::vector<std::int32_t> indices = dialog->StatisticsFieldIndices();
    const bool allRecords = dialog->DoAllRecords();
    const bool ignoreValues = dialog->IgnoreValues();
    const std::vector<platform::Variant> ignored = dialog->IgnoreValuesArray();
    const std::int16_t decimals = dialog->NumberDecimalPlaces();
    settings.decimalPlaces = decimals;
    settings.allRecords = allRecords;
    settings.excludeText = dialog->ExcludeString();
    settings.ignoreValues = ignoreValues;
    const NumNameDictionary names = MakeNumNameDictionary();
    dialog->Unload();

    std::vector<ChosenField> fields;
    const StatisticsSource source = SourceOf(chosen, indices, fields);
    if (!caller.application) throw platform::RuntimeError(platform::vberr::ObjectNotSet);

    std::string report;
    for (const ChosenField& field : fields) {
        FieldReading reading = ReadFieldValues(source, field.index, field.name, allRecords,
                                               ignoreValues ? ignored : std::vector<platform::Variant>{}, *caller.application);
        const FieldStatistics statistics =
            ComputeFieldStatistics(reading.values, reading.nullCount, field.name, source.name, caller.application);
        // The error is reported already; a report of numbers not computed would mislead.
        if (!statistics.computed) {
            platform::screen::SetMousePointer(platform::vbDefault);
            return;
        }
        report += FieldReportBlock(field.alias, source.name, allRecords, statistics, names, decimals);
    }
    if (ignoreValues) report += IgnoredValuesBlock(ignored, caller.ruleAfterIgnoredValues);
    report += CompletionLine(std::time(nullptr));
    platform::screen::SetMousePointer(platform::vbDefault);
    if (!caller.showReport) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    caller.showReport(report);
}

}  // namespace tessaly
