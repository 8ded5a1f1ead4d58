#pragma once
// Clicking "Tessaly Select By Attributes" and working in its query builder.
#include <functional>
#include <string>
#include <vector>

#include "QuerySummaryTestSupport.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"

namespace qstest {

using QueryDialog = tessaly::tessaly_ModQueryDialog;

class QueryBuilderTest : public QuerySummaryTest {
protected:
    ~QueryBuilderTest() override;

    // Clicks the one command (made at the first call and kept, as the host keeps
    // it) and plays `user` in its dialog, which is cancelled afterwards when the
    // user left it shown. False when no dialog showed.
    bool Query(const std::function<void(QueryDialog&)>& user);
    // Releases the command, as the host does when it ends.
    void EndCommand() { command_ = nullptr; }

private:
    platform::ComPtr<platform::ICommand> command_;
};

std::vector<std::string> Lines(platform::ListBox& list);

// Replaces the query text with `text` as the user would type it.
void TypeQuery(QueryDialog& dialog, const std::string& text);

}  // namespace qstest
