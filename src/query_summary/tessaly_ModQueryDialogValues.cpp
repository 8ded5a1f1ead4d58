// The query builder's "Update Values": the distinct values of the chosen field.
#include <memory>

#include "platform/data/DataStatistics.h"
#include "platform/data/Field.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SourceTable.h"
#include "platform/data/Table.h"
#include "platform/forms/Screen.h"
#include "platform/map/Application.h"
#include "platform/map/StatusBar.h"
#include "src/core/ErrorHandling.h"
#include "src/core/ObjectRequired.h"
#include "src/core/aml_func_mod.h"
#include "src/query_summary/ThemeViews.h"
#include "src/query_summary/ValueList.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/statistics/StatusBarProgress.h"

namespace tessaly {
namespace {

// The hourglass from here on; the default pointer again however the gathering ends.
class HourglassWhileGathering {
public:
    HourglassWhileGathering() { platform::screen::SetMousePointer(platform::vbHourglass); }
    HourglassWhileGathering(const HourglassWhileGathering&) = delete;
    HourglassWhileGathering& operator=(const HourglassWhileGathering&) = delete;
    ~HourglassWhileGathering() {
        try {
            platform::screen::SetMousePointer(platform::vbDefault);
        } catch (...) {
        }
    }
};

}  // namespace

// Every distinct value of the field over all rows the theme shows, whatever is
// selected; Null is not a value. Each line is written as the theme's source
// compares it, so that "field = line" selects exactly the rows holding it.
void tessaly_ModQueryDialog::cmdUpdate_Click() {
    Guarded(Procedure{"cmdUpdate_Click", "tessaly_ModQueryDialog"}, [&] {
        // A button left enabled from an earlier click may be pressed with no
        // theme: nothing happens, and the list stays as it was.
        if (!ThemeChosen()) return;
        lbxValues.Clear();
        const HourglassWhileGathering pointer;
        const int line = lbxFields.ListIndex();
        if (line < 0 || static_cast<std::size_t>(line) >= theFieldTokens_.size()) return;
        const auto theme = Theme();
        const auto table = ThemeTable(theme);
        std::string name = theFieldTokens_[static_cast<std::size_t>(line)];
        BasicTrimAvenue(name, "\"[", "\"]");
        const auto& field = ObjectRequired(table->Fields()->Field(table->FindField(name)));
        const auto source = ThemeSource(theme);

        platform::StatusBar& bar = ObjectRequired(ObjectRequired(application_).StatusBar());
        const std::string message = "Gathering values from field [" + name + "]";
        StatusBarProgress progress(bar, message, 1, StatusBarProgress::Pointer::Untouched);
        auto statistics = std::make_unique<platform::DataStatistics>();
        statistics->Field(name);
        // Only the field is read: the other fields and the shapes would change nothing here.
        platform::QueryFilter onlyTheField;
        onlyTheField.SubFields(name);
        statistics->Cursor(table->Search(&onlyTheField, true));
        std::shared_ptr<platform::EnumVariant> values = statistics->UniqueValues();
        ObjectRequired(values);
        const std::int32_t count = statistics->UniqueValueCount();
        bar.ShowProgressBar(message, 1, count, 1, true);
        // The values go straight into the list's own form and are let go of once
        // read, before the sort: a million values are never held twice.
        const auto next = [&] {
            platform::Variant value = values ? values->Next() : platform::Variant();
            if (!value.IsEmpty()) {
                progress.Step();
            } else {
                values.reset();
                statistics.reset();
            }
            return value;
        };
        const auto literal = source->WhereLiteralWriter(name);
        lbxValues.AddItems(ValueListLines(field.Type(), next, static_cast<std::size_t>(count), literal));
        progress.Finish();
    });
}

}  // namespace tessaly
