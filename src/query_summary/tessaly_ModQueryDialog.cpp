#include "src/query_summary/tessaly_ModQueryDialog.h"

#include <initializer_list>

#include "platform/com/ComError.h"
#include "platform/data/Field.h"
#include "platform/data/Table.h"
#include "platform/map/TableDefinition.h"
#include "platform/map/TableFields.h"
#include "platform/map/VariantArray.h"
#include "src/core/DocumentPath.h"
#include "src/core/ErrorHandling.h"
#include "src/core/ObjectRequired.h"
#include "src/core/aml_func_mod.h"
#include "src/core/frmReport_modal.h"
#include "src/query_summary/ThemeViews.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "tessaly_ModQueryDialog";

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

// The text a button puts into the query. NOT leaves the caret between the
// two blanks of its inner parentheses, 14 characters into its text.
constexpr const char* kNotText = ") AND ( NOT (  ) ";
constexpr int kCaretInsideNot = 14;

}  // namespace

tessaly_ModQueryDialog::tessaly_ModQueryDialog() : Form("tessaly_ModQueryDialog") {
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             &lblQueryStatement, &txtQuery, &cmdEquals, &cmdNotEqual, &cmdLess, &cmdLessEqual, &cmdGreater,
             &cmdGreaterEqual, &cmdAnd, &cmdOr, &cmdNot, &cmdParentheses, &cmdClearQuery, &cmdVerify,
             &cmdLoadQJQuery})
        control->SetContainer(QueryContainer);
    optSelected.SetContainer(cpFiltered);
    optFiltered.SetContainer(cpFiltered);
    lblNumSelected.SetContainer(cpNumFound);

    lbxThemes.Click = [this] { lbxThemes_Click(); };
    lbxFields.Click = [this] { lbxFields_Click(); };
    lbxFields.DblClick = [this] { lbxFields_DblClick(); };
    lbxValues.DblClick = [this] { lbxValues_DblClick(); };
    cmdUpdate.Click = [this] { cmdUpdate_Click(); };
    cmdEquals.Click = [this] { InsertIntoQuery("cmdEquals_Click", " = "); };
    cmdNotEqual.Click = [this] { InsertIntoQuery("cmdNotEqual_Click", " <> "); };
    cmdLess.Click = [this] { InsertIntoQuery("cmdLess_Click", " < "); };
    cmdLessEqual.Click = [this] { InsertIntoQuery("cmdLessEqual_Click", " <= "); };
    cmdGreater.Click = [this] { InsertIntoQuery("cmdGreater_Click", " > "); };
    cmdGreaterEqual.Click = [this] { InsertIntoQuery("cmdGreaterEqual_Click", " >= "); };
    cmdAnd.Click = [this] { InsertIntoQuery("cmdAnd_Click", ") AND ( "); };
    cmdOr.Click = [this] { InsertIntoQuery("cmdOr_Click", ") OR ("); };
    cmdNot.Click = [this] { cmdNot_Click(); };
    cmdParentheses.Click = [this] { cmdParentheses_Click(); };
    cmdClearQuery.Click = [this] { cmdClearQuery_Click(); };
    cmdVerify.Click = [this] { cmdVerify_Click(); };
    cmdLoadQJQuery.Click = [this] { cmdLoadQJQuery_Click(); };
    optSelected.Click = [this] { optSelected_Click(); };
    optFiltered.Click = [this] { optFiltered_Click(); };
    cmdNewSet.Click = [this] { Guarded(In("cmdNewSet_Click"), [&] { ModQueryDoSelection(QueryMethod::New); }); };
    cmdAddToSet.Click = [this] { Guarded(In("cmdAddToSet_Click"), [&] { ModQueryDoSelection(QueryMethod::Add); }); };
    cmdSelFromSet.Click = [this] {
        Guarded(In("cmdSelFromSet_Click"), [&] { ModQueryDoSelection(QueryMethod::SelectFrom); });
    };
    cmdSubtractFromSet.Click = [this] {
        Guarded(In("cmdSubtractFromSet_Click"), [&] { ModQueryDoSelection(QueryMethod::Subtract); });
    };
    cmdClear.Click = [this] { Guarded(In("cmdClear_Click"), [&] { ModQueryDoSelection(QueryMethod::Clear); }); };
    cmdOpenTable.Click = [this] { cmdOpenTable_Click(); };
    cmdOpenStats.Click = [this] { cmdOpenStats_Click(); };
    cmdSwitchSel.Click = [this] { cmdSwitchSel_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void tessaly_ModQueryDialog::Design() {
    SetCaption("Select By Attributes");
    SetClientSize(8400, 8355);

    lblThemes.SetCaption("Layers");
    lblThemes.Move(120, 120, 2640, 255);
    lbxThemes.Move(120, 375, 2640, 1800);
    lblFields.SetCaption("Fields");
    lblFields.Move(2880, 120, 2640, 255);
    lbxFields.Move(2880, 375, 2640, 1800);
    lblValues.SetCaption("Values");
    lblValues.Move(5640, 120, 2640, 255);
    lbxValues.Move(5640, 375, 2640, 1800);
    cmdUpdate.SetCaption("Update Values");
    cmdUpdate.Move(5640, 2235, 2640, 375);

    QueryContainer.Move(120, 2700, 8160, 2400);
    const std::pair<platform::CommandButton*, const char*> operators[] = {
        {&cmdEquals, "op_equals"},   {&cmdNotEqual, "op_notequal"},         {&cmdLess, "op_less"},
        {&cmdLessEqual, "op_lessequal"}, {&cmdGreater, "op_greater"},       {&cmdGreaterEqual, "op_greaterequal"},
        {&cmdAnd, "op_and"},         {&cmdOr, "op_or"},                     {&cmdNot, "op_not"},
        {&cmdParentheses, "op_parentheses"},
    };
    int left = 120;
    for (const auto& [button, picture] : operators) {
        button->SetPicture(picture);
        button->Move(left, 120, 480, 375);
        left += 540;
    }
    cmdClearQuery.SetCaption("Clear");
    cmdClearQuery.SetToolTipText("Reset Query Statement");
    cmdClearQuery.Move(5760, 120, 1080, 375);
    cmdVerify.SetCaption("Verify");
    cmdVerify.SetToolTipText("Confirm that Query Syntax is Correct");
    cmdVerify.Move(6960, 120, 1080, 375);
    lblQueryStatement.SetCaption("Query Statement:");
    lblQueryStatement.Move(120, 600, 3000, 255);
    txtQuery.SetMultiLine(true);
    txtQuery.Move(120, 855, 7920, 1020);
    cmdLoadQJQuery.SetCaption("QuickLoad Query");
    cmdLoadQJQuery.Move(120, 1935, 1800, 375);

    cpFiltered.SetCaption("Selected Features: ");
    cpFiltered.Move(120, 5220, 2640, 975);
    optSelected.SetCaption("Select");
    optSelected.Move(120, 360, 1140, 255);
    optFiltered.SetCaption("Filter");
    optFiltered.Move(1320, 360, 1140, 255);
    cmdNewSet.SetCaption("New");
    cmdNewSet.Move(2880, 5280, 1260, 375);
    cmdAddToSet.SetCaption("Add");
    cmdAddToSet.Move(4200, 5280, 1260, 375);
    cmdSelFromSet.SetCaption("Subset");
    cmdSelFromSet.Move(5520, 5280, 1260, 375);
    cmdSubtractFromSet.SetCaption("Subtract");
    cmdSubtractFromSet.Move(6840, 5280, 1260, 375);
    cmdClear.Move(2880, 5760, 1860, 375);

    lbl_txtCurrentFilter.SetCaption("Current Filter Definition:");
    lbl_txtCurrentFilter.Move(120, 6360, 2640, 255);
    txtCurrentFilter.SetLocked(true);
    txtCurrentFilter.Move(120, 6615, 8160, 315);
    cpNumFound.Move(120, 7020, 8160, 615);
    lblNumSelected.Move(120, 240, 7920, 255);

    cmdOpenTable.SetCaption("Open Attributes Table");
    cmdOpenTable.Move(120, 7815, 2040, 375);
    cmdOpenStats.SetCaption("Statistics");
    cmdOpenStats.Move(2280, 7815, 1500, 375);
    cmdSwitchSel.SetCaption("Switch Selection");
    cmdSwitchSel.Move(3900, 7815, 1800, 375);
    cmdCancel.SetCaption("Cancel");
    cmdCancel.Move(6960, 7815, 1320, 375);
}

void tessaly_ModQueryDialog::Form_Load() {
    Guarded(In("Form_Load"), [&] {
        lbxThemes.Clear();
        lbxFields.Clear();
        lbxValues.Clear();
        txtQuery.SetText(kEmptyQuery);
        txtQuery.SetSelStart(2);
        txtCurrentFilter.SetText("");

        // The ignore flag is left as it was.
        settings_.excludeText = "-9999";
        settings_.allRecords = true;
        settings_.decimalPlaces = 2;
        if (!report_) report_ = std::make_shared<frmReport_modal>();

        cmdUpdate.SetEnabled(false);
        cmdSelFromSet.SetEnabled(false);
        cmdSubtractFromSet.SetEnabled(false);
        EnableQueryPart(false);

        if (!optSelected.Value() && !optFiltered.Value()) optSelected.SetValue(true);
        cmdClear.SetCaption(optSelected.Value() ? "Clear Selected" : "Clear Filter");
    });
}

void tessaly_ModQueryDialog::Form_Unload() {
    Guarded(In("Form_Unload"), [&] {
        application_.reset();
        themes_.reset();
        names_.assign(1, std::string());
        theFieldTokens_.assign(1, std::string());
        report_.reset();
    });
}

void tessaly_ModQueryDialog::EnableQueryPart(bool enabled) {
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             &cmdAddToSet, &cmdNewSet, &cmdClear, &lbxValues, &lbxFields, &txtQuery, &cmdEquals, &cmdNotEqual,
             &cmdLess, &cmdLessEqual, &cmdGreater, &cmdGreaterEqual, &cmdAnd, &cmdOr, &cmdNot, &cmdParentheses})
        control->SetEnabled(enabled);
}

bool tessaly_ModQueryDialog::ThemeChosen() { return lbxThemes.ListIndex() >= 0; }

std::shared_ptr<platform::HostObject> tessaly_ModQueryDialog::Theme() {
    return ObjectRequired(themes_).Element(lbxThemes.ListIndex());
}

void tessaly_ModQueryDialog::EnableNarrowing(std::int64_t selectedRows, const std::string& expression) {
    const bool enabled = optFiltered.Value() ? !expression.empty() : selectedRows >= 1;
    cmdSelFromSet.SetEnabled(enabled);
    cmdSubtractFromSet.SetEnabled(enabled);
}

void tessaly_ModQueryDialog::ShowCurrentFilter(const std::string& expression) {
    txtCurrentFilter.SetText(expression.empty() ? kNoFilterText : expression);
}

std::string tessaly_ModQueryDialog::GetPath() const { return tessaly::GetPath(application_.get(), kModule); }

void tessaly_ModQueryDialog::lbxThemes_Click() {
    Guarded(In("lbxThemes_Click"), [&] {
        lbxFields.Clear();
        lbxValues.Clear();
        cmdUpdate.SetEnabled(false);
        EnableQueryPart(true);

        const auto theme = Theme();
        const std::string kind = ThemeKindText(theme);
        const std::int64_t selectedRows = SelectedRowCount(theme);
        const std::string expression = ThemeDefinition(theme).DefinitionExpression();
        EnableNarrowing(selectedRows, expression);

        const auto fields = ThemeFields(theme);
        theFieldTokens_.assign(static_cast<std::size_t>(fields->FieldCount()), std::string());
        std::size_t listed = 0;
        for (int i = 0; i < fields->FieldCount(); ++i) {
            const auto& field = ObjectRequired(fields->Field(i));
            const auto& info = ObjectRequired(fields->FieldInfo(i));
            if (field.Type() < platform::fieldtype::Geometry && info.Visible()) {
                lbxFields.AddItem(info.Alias());
                theFieldTokens_[listed++] = FieldToken(field.Name(), kind);
            }
        }
        // The classic runtime calls a control on a hidden window invisible.
        if (txtQuery.AcceptsUserInput()) txtQuery.SetFocus();
        ShowCurrentFilter(expression);
        EnableStatTableButtons();
        DisplayNumSelected();
    });
}

void tessaly_ModQueryDialog::EnableStatTableButtons() {
    Guarded(In("EnableStatTableButtons"), [&] {
        const bool chosen = ThemeChosen();
        for (platform::CommandButton* button : {&cmdOpenTable, &cmdOpenStats, &cmdSwitchSel, &cmdVerify})
            button->SetEnabled(chosen);
        DisplayNumSelected();
    });
}

void tessaly_ModQueryDialog::DisplayNumSelected() {
    PassedOn(In("DisplayNumSelected"), [&] {
        if (!ThemeChosen()) {
            lblNumSelected.SetCaption(kNoThemeCount);
            return;
        }
        const auto theme = Theme();
        const std::int64_t rows = ThemeTable(theme)->RowCount(nullptr);
        const std::int64_t selectedRows = SelectedRowCount(theme);
        lblNumSelected.SetCaption(optFiltered.Value() ? "Number of features displayed = " + InsertCommas(rows)
                                                      : "Number of features highlighted = " + InsertCommas(selectedRows));
    });
}

void tessaly_ModQueryDialog::Form_Activate() {
    Guarded(In("Form_Activate"), [&] { DisplayNumSelected(); });
}

void tessaly_ModQueryDialog::Form_Click() {
    Guarded(In("Form_Click"), [&] { DisplayNumSelected(); });
}

void tessaly_ModQueryDialog::Form_MouseDown(int, int, float, float) {
    Guarded(In("Form_MouseDown"), [&] { DisplayNumSelected(); });
}

void tessaly_ModQueryDialog::optSelected_Click() {
    Guarded(In("optSelected_Click"), [&] { optFiltered_Click(); });
}

void tessaly_ModQueryDialog::optFiltered_Click() {
    Guarded(In("optFiltered_Click"), [&] {
        std::string expression;
        std::int64_t selectedRows = 0;
        if (ThemeChosen()) {
            const auto theme = Theme();
            expression = ThemeDefinition(theme).DefinitionExpression();
            selectedRows = SelectedRowCount(theme);
        }
        cmdClear.SetCaption(optFiltered.Value() ? "Clear Filter" : "Clear Selected");
        EnableNarrowing(selectedRows, expression);
        DisplayNumSelected();
    });
}

void tessaly_ModQueryDialog::lbxFields_Click() {
    Guarded(In("lbxFields_Click"), [&] { cmdUpdate.SetEnabled(true); });
}

void tessaly_ModQueryDialog::InsertIntoQuery(const char* procedure, const std::string& text) {
    Guarded(In(procedure), [&] {
        txtQuery.SetSelText(text);
        txtQuery.SetFocus();
    });
}

void tessaly_ModQueryDialog::lbxFields_DblClick() {
    const int line = lbxFields.ListIndex();
    // With no line chosen nothing is inserted, and so no chosen query text is replaced.
    if (line < 0 || static_cast<std::size_t>(line) >= theFieldTokens_.size()) return;
    InsertIntoQuery("lbxFields_DblClick", theFieldTokens_[static_cast<std::size_t>(line)]);
}

void tessaly_ModQueryDialog::lbxValues_DblClick() { InsertIntoQuery("lbxValues_DblClick", lbxValues.Text()); }

void tessaly_ModQueryDialog::cmdNot_Click() {
    Guarded(In("cmdNot_Click"), [&] {
        const int caret = txtQuery.SelStart();
        txtQuery.SetSelText(kNotText);
        txtQuery.SetSelStart(caret + kCaretInsideNot);
        txtQuery.SetFocus();
    });
}

void tessaly_ModQueryDialog::cmdParentheses_Click() {
    Guarded(In("cmdParentheses_Click"), [&] {
        const std::string selected = txtQuery.SelText();
        if (!selected.empty())
            txtQuery.SetSelText("(" + selected + ")");
        else
            txtQuery.SetText("(" + txtQuery.Text() + ")");
        txtQuery.SetFocus();
    });
}

void tessaly_ModQueryDialog::cmdClearQuery_Click() {
    Guarded(In("cmdClearQuery_Click"), [&] {
        txtQuery.SetText(kEmptyQuery);
        txtQuery.SetSelStart(2);
    });
}

}  // namespace tessaly
