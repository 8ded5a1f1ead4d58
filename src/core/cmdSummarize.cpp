#include "src/core/cmdSummarize.h"

#include "platform/data/Field.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/SummarizeDialog.h"
#include "src/core/ObjectRequired.h"
#include "src/core/ProblemWithData.h"

namespace tessaly {

std::shared_ptr<const platform::Field> DefaultSummarizeField(const platform::TableFields& fields) {
    for (int i = 0; i < fields.FieldCount(); ++i) {
        if (ObjectRequired(fields.Field(i)).Type() == platform::fieldtype::String) return fields.Field(i);
    }
    for (int i = 0; i < fields.FieldCount(); ++i) {
        if (ObjectRequired(fields.Field(i)).Type() < platform::fieldtype::String) return fields.Field(i);
    }
    return fields.Field(0);
}

// Acts on the document's selected item without asking the contents view again.
void cmdSummarize::Click() {
    const auto item = ObjectRequired(m_pMxDoc).SelectedItem();
    std::shared_ptr<platform::Table> table;
    const platform::TableFields* fields = nullptr;
    if (const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(item)) {
        if (!layer->Valid()) {
            ShowProblemWithData(*layer, kSummarizeProblem);
            return;
        }
        table = layer;
        fields = layer.get();
    } else if (const auto standalone = std::dynamic_pointer_cast<platform::StandaloneTable>(item)) {
        if (!standalone->Valid()) {
            ShowProblemWithData(*standalone, kSummarizeProblem);
            return;
        }
        table = standalone;  // its own view, not the raw table behind it
        fields = standalone.get();
    } else {
        return;
    }

    const auto field = DefaultSummarizeField(*fields);
    platform::SummarizeDialog dialog;
    dialog.Application(m_pApp);
    dialog.Table(table);
    dialog.Field(field);
    dialog.Flag(true);
    dialog.DoModal(ObjectRequired(m_pApp).hWnd());
}

}  // namespace tessaly
