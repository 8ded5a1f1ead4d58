#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Variant.h"
#include "platform/forms/Forms.h"

namespace platform {
class Application;
class HostObject;
class Table;
}  // namespace platform

namespace tessaly {

class TableLayerCollection;

// "Calculate Statistics:", the modal dialog that sets up one statistics run:
// the layer or table, its numeric fields, all or only the selected records,
// values to ignore and decimal places. It computes nothing.
//
// Every caller keeps to one protocol:
//   1. create it;
//   2. set ArcApplication, theTableLayers and theCurrentSelected, in this
//      order, before touching any control (the first touch loads the form, and
//      loading reads the candidates and the item to preselect);
//   3. pre-fill txtNoData's Text, chkNoData's Value (1 or 0) and
//      cbxDecPlaces's ListIndex from its StatsDialogSettings;
//   4. Show(vbModal);
//   5. stop when ShouldContinue is false (Cancel or the close box);
//   6. otherwise read the results and store the settings back;
//   7. Unload it, which clears every result.
// OK and Cancel only hide the dialog so that the results can be read.
class tessaly_ThemeIDDialog : public platform::Form {
public:
    tessaly_ThemeIDDialog();

    platform::Label lblTheme{*this, "lblTheme"};
    platform::ListBox lbxTheme{*this, "lbxTheme"};
    platform::Label lblField{*this, "lblField"};
    platform::ListBox lbxField{*this, "lbxField"};
    platform::Frame cpAllOrSel{*this, "cpAllOrSel"};
    platform::OptionButton optAll{*this, "optAll"};
    platform::OptionButton optSelected{*this, "optSelected"};
    platform::Label lblSelCount{*this, "lblSelCount"};
    platform::Frame cpIgnoreValues{*this, "cpIgnoreValues"};
    platform::CheckBox chkNoData{*this, "chkNoData"};
    platform::TextBox txtNoData{*this, "txtNoData"};
    platform::Label lblInstructions{*this, "lblInstructions"};
    platform::Frame cpDecPlaces{*this, "cpDecPlaces"};
    platform::Label lbl_cbxDecPlaces{*this, "lbl_cbxDecPlaces"};
    platform::ComboBox cbxDecPlaces{*this, "cbxDecPlaces"};
    platform::CommandButton cmdOK{*this, "cmdOK"};
    platform::CommandButton cmdCancel{*this, "cmdCancel"};

    // Results, valid after OK until the dialog is unloaded. None of them loads the form.
    // The chosen layer or table; null until a layer is chosen and after Cancel.
    std::shared_ptr<platform::Table> StatisticsTable() const;
    // txtNoData's text as it was when the dialog closed (also after Cancel).
    const std::string& ExcludeString() const { return excludeText_; }
    // Positions in the layer's or table's field list of the fields selected, in list order.
    const std::vector<std::int32_t>& StatisticsFieldIndices() const { return fieldIndices_; }
    bool DoAllRecords() const { return allRecords_; }
    bool IgnoreValues() const { return ignoreValues_; }
    // {0} unless values are ignored.
    // Doubles, and LongLongs for values typed as integers (IgnoreValueList).
    std::vector<platform::Variant> IgnoreValuesArray() const { return ignoreValuesArray_; }
    std::int16_t NumberDecimalPlaces() const { return decimalPlaces_; }
    bool ShouldContinue() const { return shouldContinue_; }
    void ShouldContinue(bool value) { shouldContinue_ = value; }

    // Kept, not otherwise used.
    void ArcApplication(std::shared_ptr<platform::Application> application) { application_ = std::move(application); }
    // Feature layers and standalone tables keyed "0", "1", ...
    void theTableLayers(std::shared_ptr<const TableLayerCollection> candidates) { candidates_ = std::move(candidates); }
    // Preselected when it is one of the candidates (the very object); may be null.
    void theCurrentSelected(std::shared_ptr<platform::HostObject> item) { currentSelected_ = std::move(item); }

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void lbxTheme_Click();
    void lbxField_Click();
    void chkNoData_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    void ClearResults();
    void EnableIgnoreText();

    // A listed field: the alias shown and its position in the field list.
    struct ListedField {
        std::string alias;
        std::int32_t index;
    };

    std::shared_ptr<platform::Application> application_;
    std::shared_ptr<const TableLayerCollection> candidates_;
    std::shared_ptr<platform::HostObject> currentSelected_;

    std::shared_ptr<platform::HostObject> chosen_;
    std::vector<std::int32_t> fieldIndices_;
    bool allRecords_ = false;
    bool ignoreValues_ = false;
    std::vector<platform::Variant> ignoreValuesArray_{platform::Variant(0.0)};
    std::int16_t decimalPlaces_ = 0;
    bool shouldContinue_ = false;
    std::string excludeText_;
    std::vector<ListedField> listedFields_;
};

// The dialog's fixed texts that callers and tests compare.
inline constexpr const char* kIgnoreValuesProblemTitle = "Problems with Ignore Values:";
inline constexpr const char* kIgnoreValuesProblemText =
    "These values are not numbers!  Please re-enter the values you would like to ignore...";

}  // namespace tessaly
