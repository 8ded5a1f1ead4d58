#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Forms.h"
#include "src/query_summary/QueryOperations.h"
#include "src/statistics/StatsDialogSettings.h"

namespace platform {
class Application;
class HostObject;
class VariantArray;
}  // namespace platform

namespace tessaly {

class frmReport_modal;

// "Select By Attributes", the Tessaly query builder: the user picks a layer
// or table of the focus map (the theme), composes a where clause from its
// fields, operators and sample values, and applies it as a selection or as
// the theme's definition expression.
//
// Its command keeps one dialog for its whole life. Each click sets
// ArcApplication, theLayerArray, theCurrentSelected and theStringLayerNames
// (none of which loads the window), refills lbxThemes (the first touch loads
// it), perhaps chooses a line, calls EnableStatTableButtons and shows it
// modally. Cancel only hides it, so the query text, the mode, the lists and
// the statistics settings stay for the next click; the close box unloads it,
// and the next load starts again from the defaults.
//
// The theme is always element lbxThemes.ListIndex of theLayerArray.
class tessaly_ModQueryDialog : public platform::Form {
public:
    tessaly_ModQueryDialog();

    platform::Label lblThemes{*this, "lblThemes"};
    platform::ListBox lbxThemes{*this, "lbxThemes"};
    platform::Label lblFields{*this, "lblFields"};
    platform::ListBox lbxFields{*this, "lbxFields"};
    platform::Label lblValues{*this, "lblValues"};
    platform::ListBox lbxValues{*this, "lbxValues"};
    platform::CommandButton cmdUpdate{*this, "cmdUpdate"};
    platform::Frame QueryContainer{*this, "QueryContainer"};
    platform::Label lblQueryStatement{*this, "lblQueryStatement"};
    platform::TextBox txtQuery{*this, "txtQuery"};
    platform::CommandButton cmdEquals{*this, "cmdEquals"};
    platform::CommandButton cmdNotEqual{*this, "cmdNotEqual"};
    platform::CommandButton cmdLess{*this, "cmdLess"};
    platform::CommandButton cmdLessEqual{*this, "cmdLessEqual"};
    platform::CommandButton cmdGreater{*this, "cmdGreater"};
    platform::CommandButton cmdGreaterEqual{*this, "cmdGreaterEqual"};
    platform::CommandButton cmdAnd{*this, "cmdAnd"};
    platform::CommandButton cmdOr{*this, "cmdOr"};
    platform::CommandButton cmdNot{*this, "cmdNot"};
    platform::CommandButton cmdParentheses{*this, "cmdParentheses"};
    platform::CommandButton cmdClearQuery{*this, "cmdClearQuery"};
    platform::CommandButton cmdVerify{*this, "cmdVerify"};
    platform::CommandButton cmdLoadQJQuery{*this, "cmdLoadQJQuery"};
    platform::Frame cpFiltered{*this, "cpFiltered"};
    platform::OptionButton optSelected{*this, "optSelected"};
    platform::OptionButton optFiltered{*this, "optFiltered"};
    platform::CommandButton cmdNewSet{*this, "cmdNewSet"};
    platform::CommandButton cmdAddToSet{*this, "cmdAddToSet"};
    platform::CommandButton cmdSelFromSet{*this, "cmdSelFromSet"};
    platform::CommandButton cmdSubtractFromSet{*this, "cmdSubtractFromSet"};
    platform::CommandButton cmdClear{*this, "cmdClear"};
    platform::Label lbl_txtCurrentFilter{*this, "lbl_txtCurrentFilter"};
    platform::TextBox txtCurrentFilter{*this, "txtCurrentFilter"};
    platform::Frame cpNumFound{*this, "cpNumFound"};
    platform::Label lblNumSelected{*this, "lblNumSelected"};
    platform::CommandButton cmdOpenTable{*this, "cmdOpenTable"};
    platform::CommandButton cmdOpenStats{*this, "cmdOpenStats"};
    platform::CommandButton cmdSwitchSel{*this, "cmdSwitchSel"};
    platform::CommandButton cmdCancel{*this, "cmdCancel"};

    void ArcApplication(std::shared_ptr<platform::Application> application) { application_ = std::move(application); }
    // Element i is the feature layer or standalone table of lbxThemes line i.
    void theLayerArray(std::shared_ptr<const platform::VariantArray> themes) { themes_ = std::move(themes); }
    // The dialog keeps a copy.
    void theStringLayerNames(const std::vector<std::string>& names) { names_ = names; }
    // Kept; the command chooses the line itself.
    void theCurrentSelected(std::int16_t position) { currentSelected_ = position; }
    // The full path of the application's map document.
    std::string GetPath() const;
    // The side buttons (and Verify) are enabled exactly while a theme is chosen;
    // then the counts line.
    void EnableStatTableButtons();
    // Choosing a theme: its fields, tokens, current filter, enabling and counts.
    void lbxThemes_Click();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Activate() override;
    void Form_Click() override;
    void Form_MouseDown(int button, int shift, float x, float y) override;

private:
    // Composing (tessaly_ModQueryDialog.cpp).
    void lbxFields_Click();
    void lbxFields_DblClick();
    void lbxValues_DblClick();
    void cmdParentheses_Click();
    void cmdNot_Click();
    void cmdClearQuery_Click();
    void optSelected_Click();
    void optFiltered_Click();
    // Inserts `text` at the caret, replacing the selected text, and focuses the
    // query; `procedure` names the handler in error reports.
    void InsertIntoQuery(const char* procedure, const std::string& text);
    // The values of the chosen field (tessaly_ModQueryDialogValues.cpp).
    void cmdUpdate_Click();
    // Applying and verifying (tessaly_ModQueryDialogApply.cpp).
    void ModQueryDoSelection(QueryMethod method);
    void cmdVerify_Click();
    void cmdOpenTable_Click();
    void cmdOpenStats_Click();
    void cmdSwitchSel_Click();
    void cmdCancel_Click();
    // A saved query from QuickLoad.txt (tessaly_ModQueryDialogQuickLoad.cpp).
    void cmdLoadQJQuery_Click();

    // Hands its errors to its caller.
    void DisplayNumSelected();
    // The element of theLayerArray at lbxThemes' position (error when none is chosen).
    std::shared_ptr<platform::HostObject> Theme();
    bool ThemeChosen();
    // Subset and Subtract by the mode: a selection to narrow, or a filter.
    void EnableNarrowing(std::int64_t selectedRows, const std::string& expression);
    void EnableQueryPart(bool enabled);
    void ShowCurrentFilter(const std::string& expression);

    std::shared_ptr<platform::Application> application_;
    std::shared_ptr<const platform::VariantArray> themes_;
    std::vector<std::string> names_;
    std::int16_t currentSelected_ = -1;
    // Slot k: the where-clause token of lbxFields line k.
    std::vector<std::string> theFieldTokens_;
    StatsDialogSettings settings_;
    std::shared_ptr<frmReport_modal> report_;
};

// The dialog's fixed texts that callers and tests compare.
inline constexpr const char* kEmptyQuery = "(  )";
inline constexpr const char* kNoFilterText = "- No Filter Definition Specified -";
inline constexpr const char* kNoThemeCount = "Number of features = [ - No Theme - ]";
inline constexpr const char* kSyntaxErrorTitle = "Syntax Error:";
inline constexpr const char* kApplySyntaxErrorText =
    "Query didn't work!  Please check to make sure the query is formatted correctly...";
inline constexpr const char* kVerifySyntaxErrorText = "Query didn't work!  Please check the query for syntax errors...";
inline constexpr const char* kVerifiedTitle = "Query Verified:";
inline constexpr const char* kVerifiedText = "Query appears to be formatted correctly...";

}  // namespace tessaly
