#include "src/statistics/tessaly_ThemeIDDialog.h"

#include <cmath>

#include "platform/com/ComError.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/Variant.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/ErrorHandling.h"
#include "src/core/aml_func_mod.h"
#include "src/statistics/IgnoreValues.h"
#include "src/statistics/TableLayerCollection.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "tessaly_ThemeIDDialog";
constexpr long kYellow = 0xFFFF;
constexpr long kWhite = 0xFFFFFF;
// The most fields the field list holds.
constexpr std::size_t kMaxListedFields = 1001;

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

// The name a candidate shows in the list.
std::string CandidateName(const platform::HostObject& item) {
    if (auto layer = dynamic_cast<const platform::FeatureLayer*>(&item)) return layer->Name();
    if (auto table = dynamic_cast<const platform::StandaloneTable*>(&item)) return table->Name();
    throw platform::RuntimeError(platform::vberr::TypeMismatch);
}

}  // namespace

tessaly_ThemeIDDialog::tessaly_ThemeIDDialog() : Form("tessaly_ThemeIDDialog") {
    optAll.SetContainer(cpAllOrSel);
    optSelected.SetContainer(cpAllOrSel);
    lblSelCount.SetContainer(cpAllOrSel);
    chkNoData.SetContainer(cpIgnoreValues);
    txtNoData.SetContainer(cpIgnoreValues);
    lblInstructions.SetContainer(cpIgnoreValues);
    lbl_cbxDecPlaces.SetContainer(cpDecPlaces);
    cbxDecPlaces.SetContainer(cpDecPlaces);

    lbxTheme.Click = [this] { lbxTheme_Click(); };
    lbxField.Click = [this] { lbxField_Click(); };
    chkNoData.Click = [this] { chkNoData_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

std::shared_ptr<platform::Table> tessaly_ThemeIDDialog::StatisticsTable() const {
    return std::dynamic_pointer_cast<platform::Table>(chosen_);
}

void tessaly_ThemeIDDialog::Design() {
    SetCaption("Calculate Statistics:");
    SetClientSize(6480, 4455);
    lblTheme.SetCaption("Layers:");
    lblTheme.Move(120, 120, 3000, 255);
    lbxTheme.Move(120, 375, 3000, 1980);
    lblField.SetCaption("Numeric Fields:");
    lblField.Move(3360, 120, 3000, 255);
    lbxField.Move(3360, 375, 3000, 1980);
    lbxField.SetMultiSelect(platform::vbMultiSelectSimple);

    cpAllOrSel.SetCaption(" Calculate Statistics For ");
    cpAllOrSel.Move(120, 2475, 3000, 1215);
    optAll.SetCaption("All features");
    optAll.Move(120, 240, 2700, 255);
    optSelected.SetCaption("Only selected features");
    optSelected.Move(120, 525, 2700, 255);
    // Two lines: "(999,999 of 1,000,000 records selected...)" is wider than the frame.
    lblSelCount.Move(360, 780, 2520, 390);

    cpIgnoreValues.SetCaption("Ignore Values");
    cpIgnoreValues.Move(3360, 2475, 3000, 1215);
    chkNoData.SetCaption("Ignore");
    chkNoData.Move(120, 270, 900, 255);
    txtNoData.Move(1080, 240, 1800, 315);
    lblInstructions.SetCaption("(Separate multiple values by commas)");
    lblInstructions.Move(120, 720, 2820, 450);

    cpDecPlaces.Move(120, 3810, 3000, 615);
    lbl_cbxDecPlaces.SetCaption("Number of Decimal Places =");
    lbl_cbxDecPlaces.Move(120, 240, 2130, 255);
    cbxDecPlaces.SetStyle(platform::vbComboDropdownList);
    cbxDecPlaces.Move(2280, 195, 600, 315);

    cmdOK.SetCaption("OK");
    cmdOK.Move(3360, 3930, 1440, 405);
    cmdCancel.SetCaption("Cancel");
    cmdCancel.Move(4920, 3930, 1440, 405);
}

void tessaly_ThemeIDDialog::ClearResults() {
    chosen_.reset();
    fieldIndices_.clear();
    allRecords_ = false;
    ignoreValues_ = false;
    ignoreValuesArray_.assign(1, platform::Variant(0.0));
    decimalPlaces_ = 0;
    shouldContinue_ = false;
}

void tessaly_ThemeIDDialog::EnableIgnoreText() {
    const bool checked = chkNoData.Value() == platform::vbChecked;
    txtNoData.SetEnabled(checked);
    lblInstructions.SetEnabled(checked);
}

void tessaly_ThemeIDDialog::Form_Load() {
    Guarded(In("Form_Load"), [&] {
        ClearResults();
        lblSelCount.SetCaption("0 of 0 selected...");

        if (!candidates_) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        int preselect = -1;
        std::vector<std::string> names;
        for (std::int32_t i = 0; i < candidates_->Count(); ++i) {
            const auto& item = candidates_->Item(std::to_string(i));
            if (currentSelected_ && item == currentSelected_) preselect = i;
            names.push_back(CandidateName(*item));
        }
        for (const std::string& name : names) lbxTheme.AddItem(name);

        if (!optSelected.Value() && !optAll.Value()) optAll.SetValue(true);
        lbxField.Clear();
        lbxTheme.SetListIndex(preselect);

        txtNoData.SetText("-9999");
        for (int places = 0; places <= 6; ++places) cbxDecPlaces.AddItem(std::to_string(places));
        cbxDecPlaces.SetListIndex(2);
        cmdOK.SetEnabled(false);
        EnableIgnoreText();
    });
}

void tessaly_ThemeIDDialog::lbxTheme_Click() {
    Guarded(In("lbxTheme_Click"), [&] {
        // A click that fails part way must not leave the last layer chosen
        // beside the fields of this one.
        chosen_.reset();
        listedFields_.clear();
        lbxField.Clear();
        if (!candidates_) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        const auto item = candidates_->Item(std::to_string(lbxTheme.ListIndex()));

        const auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(item);
        const auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(item);
        if (!layer && !table) throw platform::RuntimeError(platform::vberr::TypeMismatch);
        const platform::TableFields& fields = layer ? static_cast<const platform::TableFields&>(*layer) : *table;
        for (int i = 0; i < fields.FieldCount(); ++i) {
            const auto field = fields.Field(i);
            const auto info = fields.FieldInfo(i);
            if (!FieldIsNumeric(field) || !info->Visible()) continue;
            if (listedFields_.size() == kMaxListedFields)
                throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
            lbxField.AddItem(info->Alias());
            listedFields_.push_back({info->Alias(), i});
        }
        cmdOK.SetEnabled(false);

        std::shared_ptr<platform::Table> rows = layer ? std::static_pointer_cast<platform::Table>(layer) : table->Table();
        std::shared_ptr<platform::SelectionSet> selection = layer ? layer->SelectionSet() : table->SelectionSet();
        if (!rows || !selection) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
        const std::int64_t selected = selection->Count();
        lblSelCount.SetCaption("(" + InsertCommas(selected) + " of " + InsertCommas(rows->RowCount(nullptr)) +
                               " records selected...)");
        const bool anySelected = selected > 0;
        lblSelCount.SetEnabled(anySelected);
        optSelected.SetEnabled(anySelected);
        (anySelected ? optSelected : optAll).SetValue(true);
        chosen_ = item;
    });
}

void tessaly_ThemeIDDialog::lbxField_Click() {
    Guarded(In("lbxField_Click"), [&] { cmdOK.SetEnabled(true); });
}

void tessaly_ThemeIDDialog::chkNoData_Click() {
    Guarded(In("chkNoData_Click"), [&] { EnableIgnoreText(); });
}

void tessaly_ThemeIDDialog::cmdOK_Click() {
    Guarded(In("cmdOK_Click"), [&] {
        ignoreValues_ = chkNoData.Value() == platform::vbChecked;
        std::vector<platform::Variant> values{platform::Variant(0.0)};
        if (ignoreValues_) {
            IgnoreValueList typed = ReadIgnoreValues(txtNoData.Text());
            if (!typed.bad.empty()) {
                txtNoData.SetBackColor(kYellow);
                txtNoData.SetFocus();
                std::string message = std::string(kIgnoreValuesProblemText) + "\r\n\r\n";
                for (const std::string& part : typed.bad) message += " --> " + part + "\r\n";
                platform::MsgBox(message, platform::vbExclamation, kIgnoreValuesProblemTitle);
                return;
            }
            txtNoData.SetBackColor(kWhite);
            values = std::move(typed.values);
        }
        ignoreValuesArray_ = std::move(values);

        allRecords_ = optAll.Value();
        std::vector<std::int32_t> indices;
        for (int row = 0; row < lbxField.ListCount(); ++row)
            if (lbxField.Selected(row)) indices.push_back(listedFields_.at(static_cast<std::size_t>(row)).index);
        fieldIndices_ = std::move(indices);
        decimalPlaces_ = static_cast<std::int16_t>(std::lround(platform::Variant(cbxDecPlaces.Text()).ToDouble()));
        shouldContinue_ = true;
        excludeText_ = txtNoData.Text();
        Hide();
    });
}

void tessaly_ThemeIDDialog::cmdCancel_Click() {
    Guarded(In("cmdCancel_Click"), [&] {
        ClearResults();
        excludeText_ = txtNoData.Text();
        Hide();
    });
}

void tessaly_ThemeIDDialog::Form_Unload() {
    Guarded(In("Form_Unload"), [&] {
        application_.reset();
        candidates_.reset();
        ClearResults();
        excludeText_.clear();
        listedFields_.clear();
    });
}

}  // namespace tessaly
