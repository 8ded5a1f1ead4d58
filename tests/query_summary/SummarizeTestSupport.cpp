#include "SummarizeTestSupport.h"

#include <stdexcept>

#include "src/core/CommandTable.h"

namespace qstest {

bool SummarizeTest::Summarize(const std::function<void(Dialog&)>& user) {
    auto command = Command(tessaly::info::cmdSumTessaly);
    bool shown = false;
    ui_->WhenModal("frm_Tessaly_Summarize", [&](platform::Form& form) {
        shown = true;
        auto& dialog = dynamic_cast<Dialog&>(form);
        user(dialog);
        if (dialog.IsVisible()) dialog.cmdCancel.UserClick();
    });
    Click(*command);
    return shown;
}

std::vector<std::string> Lines(platform::ComboBox& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
    return lines;
}

std::vector<std::string> TreeLines(platform::TreeView& tree) {
    std::vector<std::string> lines;
    platform::TreeNodes& nodes = tree.Nodes();
    for (int i = 1; i <= nodes.Count(); ++i) {
        const platform::TreeNode& node = nodes.Item(i);
        lines.push_back(std::string(node.Parent() ? "  " : "") + node.Key() + " " + node.Text() + " " +
                        std::to_string(node.Image()) + " " + node.Tag());
    }
    return lines;
}

void Tick(Dialog& dialog, const std::string& alias, const std::string& text) {
    for (platform::TreeNode* field : dialog.treeFields.Nodes().Roots()) {
        if (field->Text() != alias) continue;
        for (platform::TreeNode* statistic : field->Children()) {
            if (statistic->Text() != text) continue;
            dialog.treeFields.UserClickNode(*statistic);
            return;
        }
    }
    throw std::runtime_error("no statistic " + text + " under " + alias);
}

}  // namespace qstest
