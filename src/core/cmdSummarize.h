#pragma once
#include <memory>

#include "src/core/Command.h"
#include "src/core/CommandRules.h"

namespace platform {
class Field;
class TableFields;
}  // namespace platform

namespace tessaly {

// "ArcGIS Summarize": the host's own summarize dialog for the selected feature
// layer or standalone table, preset with a default field.
class cmdSummarize final : public Command<cmdSummarize, info::cmdSummarize> {
    friend Command;
    friend platform::ClassFactory<cmdSummarize>;
    cmdSummarize() = default;

    bool IsEnabled() { return SelectedItemRule(m_pMxDoc, kWithoutSetsWithValidity); }
    void Click();
};

// The field to summarize on unless the user picks another: the first text
// field, else the first numeric one, else field 0.
std::shared_ptr<const platform::Field> DefaultSummarizeField(const platform::TableFields& fields);

}  // namespace tessaly
