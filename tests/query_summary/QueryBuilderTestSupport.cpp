#include "QueryBuilderTestSupport.h"

#include "src/core/CommandTable.h"

namespace qstest {

QueryBuilderTest::~QueryBuilderTest() { command_ = nullptr; }

bool QueryBuilderTest::Query(const std::function<void(QueryDialog&)>& user) {
    if (!command_) command_ = Command(tessaly::info::cmdSelByAttTessaly);
    bool shown = false;
    ui_->WhenModal("tessaly_ModQueryDialog", [&](platform::Form& form) {
        shown = true;
        auto& dialog = dynamic_cast<QueryDialog&>(form);
        user(dialog);
        if (dialog.IsVisible()) dialog.cmdCancel.UserClick();
    });
    Click(*command_);
    return shown;
}

std::vector<std::string> Lines(platform::ListBox& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
    return lines;
}

void TypeQuery(QueryDialog& dialog, const std::string& text) {
    dialog.txtQuery.UserSelect(0, static_cast<int>(dialog.txtQuery.Text().size()));
    dialog.txtQuery.UserType(text);
}

}  // namespace qstest
