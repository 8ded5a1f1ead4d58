#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Forms.h"
#include "src/core/AnchorObjectList.h"
#include "src/statistics/StatsDialogSettings.h"

namespace platform {
class Application;
class HostObject;
class TableFields;
class TreeNode;
}  // namespace platform

namespace tessaly {

class TableLayerCollection;
class frmReport_modal;
class frmSumHelp;

// "Summarize": the modal dialog that prepares one summary table: the layer or
// table, its case field, the statistics of its other fields, all or only the
// selected records, and the dBASE file to write.
//
// Protocol: create it; set theTableLayers, Field_Array, theCurrentSelected and
// ArcApp (setting them does not load the window); Show(vbModal), which loads
// it. A successful OK and Cancel hide it, which ends the show; a refused OK
// leaves it open. The statistics settings and the report window belong to
// this one dialog.
class frm_Tessaly_Summarize : public platform::Form {
public:
    frm_Tessaly_Summarize();

    platform::Frame frmGeneral{*this, "frmGeneral"};
    platform::Label lbl0{*this, "lbl0"};
    platform::ComboBox cbxLayer{*this, "cbxLayer"};
    platform::Label lbl1{*this, "lbl1"};
    platform::ComboBox cbxFieldName{*this, "cbxFieldName"};
    platform::Label lbl2{*this, "lbl2"};
    platform::TreeView treeFields{*this, "treeFields"};
    platform::ImageList imgImageList{*this, "imgImageList"};
    platform::Label lbl3{*this, "lbl3"};
    platform::TextBox txtOutput{*this, "txtOutput"};
    platform::CommandButton cmdGetFile{*this, "cmdGetFile"};
    platform::CheckBox chkSumSelected{*this, "chkSumSelected"};
    platform::Label lblSummarize{*this, "lblSummarize"};
    platform::CommandButton cmdOpenTable{*this, "cmdOpenTable"};
    platform::CommandButton cmdOpenStats{*this, "cmdOpenStats"};
    platform::CommandButton cmdSwitchSel{*this, "cmdSwitchSel"};
    platform::CommandButton cmdHelp{*this, "cmdHelp"};
    platform::CommandButton cmdOK{*this, "cmdOK"};
    platform::CommandButton cmdCancel{*this, "cmdCancel"};
    platform::Image imgCornerBars{*this, "imgCornerBars"};

    // The field list of the layer or table summarized (its TableFields view).
    void Field_Array(std::shared_ptr<platform::TableFields> fields) { fields_ = std::move(fields); }
    // The feature layer or standalone table summarized.
    void SelectedLayer(std::shared_ptr<platform::HostObject> layer) { selectedLayer_ = std::move(layer); }
    void ArcApp(std::shared_ptr<platform::Application> application) { application_ = std::move(application); }
    // The candidates, keyed "0", "1", ... by list position.
    void theTableLayers(std::shared_ptr<const TableLayerCollection> candidates) { candidates_ = std::move(candidates); }
    // The table-of-contents item to preselect (the very object), or none.
    void theCurrentSelected(std::shared_ptr<platform::HostObject> item) { currentSelected_ = std::move(item); }

    // OK is enabled while an output path is given and a case field is chosen.
    void CheckEnable();
    // The full path of the application's map document.
    std::string GetPath() const;

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Click() override;
    void Form_MouseDown(int button, int shift, float x, float y) override;

private:
    void cbxLayer_Click();
    void cbxFieldName_Click();
    void treeFields_NodeClick(platform::TreeNode& node);
    void txtOutput_Change();
    void cmdHelp_Click();
    void cmdOpenTable_Click();
    void cmdOpenStats_Click();
    void cmdSwitchSel_Click();
    void cmdCancel_Click();
    // Creates the summary table (in frm_Tessaly_SummarizeOutput.cpp).
    void cmdOK_Click();
    void cmdGetFile_Click();

    // These two hand their errors to their caller.
    void Fill_TreeView();
    void DisplayNumSelected();

    // The index in Field_Array of the chosen case field; -1 when none is chosen.
    std::int32_t CaseFieldIndex();
    // The dissolve's summary string from the ticked statistic nodes.
    std::string SummaryString(const std::string& caseField);
    // The map document's file, "" when it has none.
    std::string DocumentPath() const;

    std::shared_ptr<const TableLayerCollection> candidates_;
    std::shared_ptr<platform::HostObject> currentSelected_;
    std::shared_ptr<platform::TableFields> fields_;
    // cbxFieldName position -> index in Field_Array.
    std::vector<std::int32_t> theFieldIndices_;
    std::shared_ptr<platform::HostObject> selectedLayer_;
    // The layer or table the selection count last described.
    std::shared_ptr<platform::HostObject> countedLayer_;
    std::shared_ptr<frmSumHelp> help_;
    std::shared_ptr<platform::Application> application_;
    StatsDialogSettings settings_;
    std::shared_ptr<frmReport_modal> report_;
    std::unique_ptr<AnchorObjectList> anchors_;
};

// The dialog's fixed texts that callers and tests compare.
inline constexpr const char* kSummarizeCheckCaption = "Summarize on Selected Records Only";
inline constexpr const char* kSummarySaveTitle = "Please specify where to save your Summary table:";

}  // namespace tessaly
