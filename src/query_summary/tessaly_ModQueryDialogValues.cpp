// The query builder's "Update Values": the distinct values of the chosen field.
#include <utility>

#include "platform/data/DataStatistics.h"
#include "platform/data/Field.h"
#include "platform/data/QueryFilter.h"
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

namespace tessaly {

// Every distinct value of the field over all rows the theme shows, whatever is
// selected; Null is not a value.
void tessaly_ModQueryDialog::cmdUpdate_Click() {
    Guarded(Procedure{"cmdUpdate_Click", "tessaly_ModQueryDialog"}, [&] {
        lbxValues.Clear();
        platform::screen::SetMousePointer(platform::vbHourglass);
        const int line = lbxFields.ListIndex();
        // Buttons left enabled from an earlier click may be pressed with no theme or field.
        if (!ThemeChosen() || line < 0 || static_cast<std::size_t>(line) >= theFieldTokens_.size()) {
            platform::screen::SetMousePointer(platform::vbDefault);
            return;
        }
        const auto table = ThemeTable(Theme());
        std::string name = theFieldTokens_[static_cast<std::size_t>(line)];
        BasicTrimAvenue(name, "\"[", "\"]");
        const auto& field = ObjectRequired(table->Fields()->Field(table->FindField(name)));

        platform::StatusBar& bar = ObjectRequired(ObjectRequired(application_).StatusBar());
        const std::string message = "Gathering values from field [" + name + "]";
        bar.ShowProgressBar(message, 1, 1, 1, true);
        std::vector<platform::Variant> read;
        {
            platform::DataStatistics statistics;
            statistics.Field(name);
            // Only the field is read: the other fields and the shapes would change nothing here.
            platform::QueryFilter onlyTheField;
            onlyTheField.SubFields(name);
            statistics.Cursor(table->Search(&onlyTheField, false));
            const auto values = statistics.UniqueValues();
            ObjectRequired(values);
            const std::int32_t count = statistics.UniqueValueCount();
            bar.ShowProgressBar(message, 1, count, 1, true);
            read.reserve(static_cast<std::size_t>(count));
            for (platform::Variant value = values->Next(); !value.IsEmpty(); value = values->Next()) {
                bar.StepProgressBar();
                read.push_back(std::move(value));
            }
        }
        // Each stage lets go of the one before it, so a million values are held
        // at most twice at any moment.
        const std::vector<std::string> lines = ValueListLines(field.Type(), std::exchange(read, {}));
        for (const std::string& text : lines) lbxValues.AddItem(text);
        bar.HideProgressBar();
        platform::screen::SetMousePointer(platform::vbDefault);
    });
}

}  // namespace tessaly
