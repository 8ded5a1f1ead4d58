#pragma once
// Clicking "Tessaly Summarize" and reading its dialog.
#include <functional>
#include <string>
#include <vector>

#include "QuerySummaryTestSupport.h"
#include "src/query_summary/frm_Tessaly_Summarize.h"

namespace qstest {

using Dialog = tessaly::frm_Tessaly_Summarize;

class SummarizeTest : public QuerySummaryTest {
protected:
    // Clicks the command and plays `user` in its dialog, which is cancelled
    // afterwards when the user left it shown. False when no dialog showed.
    bool Summarize(const std::function<void(Dialog&)>& user);
};

std::vector<std::string> Lines(platform::ComboBox& list);

// The tree, one line per node in node order: key, text, image, tag; a child's
// line starts with two blanks.
std::vector<std::string> TreeLines(platform::TreeView& tree);

// Ticks the statistic `text` under the field node `alias`.
void Tick(Dialog& dialog, const std::string& alias, const std::string& text);

}  // namespace qstest
