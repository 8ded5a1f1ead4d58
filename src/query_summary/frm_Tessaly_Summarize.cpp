#include "src/query_summary/frm_Tessaly_Summarize.h"

#include "platform/com/ComError.h"
#include "platform/data/Field.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/StatusBar.h"
#include "src/core/AttributeTableWindow.h"
#include "src/core/DocumentPath.h"
#include "src/core/ErrorHandling.h"
#include "src/core/ObjectRequired.h"
#include "src/core/SelectionSwitch.h"
#include "src/core/aml_func_mod.h"
#include "src/core/frmReport_modal.h"
#include "src/query_summary/SummaryOutputFolder.h"
#include "src/query_summary/SummaryStatistics.h"
#include "src/query_summary/ThemeViews.h"
#include "src/query_summary/frmSumHelp.h"
#include "src/statistics/StatisticsPipeline.h"
#include "src/statistics/StatisticsReport.h"
#include "src/statistics/StatisticsReportWindows.h"
#include "src/statistics/StatusBarProgress.h"
#include "src/statistics/TableLayerCollection.h"

namespace tessaly {
namespace {

constexpr const char* kModule = "frm_Tessaly_Summarize";

Procedure In(const char* procedure) { return Procedure{procedure, kModule}; }

// Pictures of imgImageList, in order from 1.
enum TreeImage { kUnticked = 1, kTicked = 2, kTextField = 3, kNumericField = 4, kDateField = 6 };

std::string CandidateName(const platform::HostObject& item) {
    if (auto layer = dynamic_cast<const platform::FeatureLayer*>(&item)) return layer->Name();
    if (auto table = dynamic_cast<const platform::StandaloneTable*>(&item)) return table->Name();
    throw platform::RuntimeError(platform::vberr::TypeMismatch);
}

}  // namespace

frm_Tessaly_Summarize::frm_Tessaly_Summarize() : Form("frm_Tessaly_Summarize") {
    for (platform::Control* control : std::initializer_list<platform::Control*>{
             &lbl0, &cbxLayer, &lbl1, &cbxFieldName, &lbl2, &treeFields, &lbl3, &txtOutput, &cmdGetFile})
        control->SetContainer(frmGeneral);

    cbxLayer.Click = [this] { cbxLayer_Click(); };
    cbxFieldName.Click = [this] { cbxFieldName_Click(); };
    treeFields.NodeClick = [this](platform::TreeNode& node) { treeFields_NodeClick(node); };
    txtOutput.Change = [this] { txtOutput_Change(); };
    cmdGetFile.Click = [this] { cmdGetFile_Click(); };
    cmdOpenTable.Click = [this] { cmdOpenTable_Click(); };
    cmdOpenStats.Click = [this] { cmdOpenStats_Click(); };
    cmdSwitchSel.Click = [this] { cmdSwitchSel_Click(); };
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frm_Tessaly_Summarize::Design() {
    SetCaption("Summarize");
    SetClientSize(6600, 6660);

    frmGeneral.Move(120, 60, 6360, 4740);
    lbl0.SetCaption("1.  Select a feature layer or table:");
    lbl0.Move(120, 240, 6120, 255);
    cbxLayer.SetStyle(platform::vbComboDropdownList);
    cbxLayer.Move(120, 510, 6120, 315);
    lbl1.SetCaption("2.  Select a field to summarize:");
    lbl1.Move(120, 960, 6120, 255);
    cbxFieldName.SetStyle(platform::vbComboDropdownList);
    cbxFieldName.Move(120, 1230, 6120, 315);
    lbl2.SetCaption("3.  Choose one or more summary statistics to be included in the" + std::string(12, ' ') +
                    "output table:");
    lbl2.Move(120, 1680, 5400, 435);
    treeFields.Move(120, 2160, 6120, 1620);
    for (const char* picture : {"stat_unticked", "stat_ticked", "field_text", "field_numeric", "field_oid",
                                "field_date"})
        imgImageList.AddImage(picture);
    lbl3.SetCaption("4.  Specify output table:");
    lbl3.Move(120, 3900, 6120, 255);
    txtOutput.Move(120, 4170, 5640, 315);
    cmdGetFile.SetPicture("browse");
    cmdGetFile.SetToolTipText("Browse for Output Filename...");
    cmdGetFile.Move(5820, 4140, 420, 375);

    chkSumSelected.SetCaption(kSummarizeCheckCaption);
    chkSumSelected.Move(120, 4920, 6360, 255);
    lblSummarize.SetCaption(
        "Summarize creates a new table containing one record for each unique value of the selected field, along "
        "with statistics summarizing any of the other fields.");
    lblSummarize.Move(120, 5280, 6360, 615);

    cmdOpenTable.SetPicture("opentable");
    cmdOpenTable.SetToolTipText("Open Attributes Table");
    cmdOpenTable.Move(120, 6060, 420, 375);
    cmdOpenStats.SetPicture("statistics");
    cmdOpenStats.SetToolTipText("Statistics");
    cmdOpenStats.Move(600, 6060, 420, 375);
    cmdSwitchSel.SetPicture("switchselection");
    cmdSwitchSel.SetToolTipText("Switch Selection");
    cmdSwitchSel.Move(1080, 6060, 420, 375);
    cmdHelp.SetCaption("About Summarizing Data");
    cmdHelp.Move(1620, 6060, 2580, 375);
    cmdOK.SetCaption("OK");
    cmdOK.Move(4320, 6060, 1020, 375);
    cmdCancel.SetCaption("Cancel");
    cmdCancel.Move(5460, 6060, 1020, 375);
    imgCornerBars.SetPicture("cornerbars");
    imgCornerBars.Move(6360, 6420, 240, 240);
}

void frm_Tessaly_Summarize::Form_Load() {
    Guarded(In("Form_Load"), [&] {
        anchors_ = std::make_unique<AnchorObjectList>();
        const std::pair<platform::Control*, std::pair<int, int>> anchored[] = {
            {&frmGeneral, {3, 3}},   {&treeFields, {3, 3}},   {&lbl3, {2, 5}},         {&txtOutput, {3, 5}},
            {&cbxLayer, {3, 2}},     {&cbxFieldName, {3, 2}}, {&cmdGetFile, {5, 5}},   {&chkSumSelected, {2, 5}},
            {&cmdOpenTable, {2, 5}}, {&cmdOpenStats, {2, 5}}, {&cmdSwitchSel, {2, 5}}, {&cmdHelp, {2, 5}},
            {&cmdOK, {2, 5}},        {&cmdCancel, {2, 5}},    {&imgCornerBars, {5, 5}},
        };
        for (const auto& [control, types] : anchored) anchors_->Item(*control)->SetAnchors(types.first, types.second);
        anchors_->SetForm(this);

        settings_ = StatsDialogSettings{};
        if (!report_) report_ = std::make_shared<frmReport_modal>();
        help_ = std::make_shared<frmSumHelp>();

        treeFields.SetImageList(&imgImageList);
        cbxFieldName.Clear();
        cbxLayer.Clear();

        const TableLayerCollection& candidates = ObjectRequired(candidates_);
        std::int32_t preselect = -1;
        std::vector<std::string> names;
        for (std::int32_t i = 0; i < candidates.Count(); ++i) {
            const auto& item = candidates.Item(std::to_string(i));
            if (currentSelected_ && item == currentSelected_) preselect = i;
            names.push_back(CandidateName(ObjectRequired(item)));
        }
        for (const std::string& name : names) cbxLayer.AddItem(name);
        // No preselection, or one that is not a candidate, chooses the first entry; an empty list has none.
        if (preselect < 0 && !names.empty()) preselect = 0;
        cbxLayer.SetListIndex(preselect);

        txtOutput.SetText(ProposedSummaryPath(SummaryOutputFolder()));

        Fill_TreeView();
        DisplayNumSelected();
        CheckEnable();
    });
}

void frm_Tessaly_Summarize::Form_Unload() {
    Guarded(In("Form_Unload"), [&] {
        help_.reset();
        selectedLayer_.reset();
        countedLayer_.reset();
        fields_.reset();
        application_.reset();
        report_.reset();
    });
}

void frm_Tessaly_Summarize::cbxLayer_Click() {
    Guarded(In("cbxLayer_Click"), [&] {
        cbxFieldName.Clear();
        const std::int32_t position = std::max(cbxLayer.ListIndex(), 0);
        const auto& item = ObjectRequired(candidates_).Item(std::to_string(position));
        fields_ = ThemeFields(item);
        selectedLayer_ = item;

        const int count = fields_->FieldCount();
        theFieldIndices_.assign(static_cast<std::size_t>(count) + 1, 0);
        std::size_t listed = 0;
        for (int i = 0; i < count; ++i) {
            const auto& field = ObjectRequired(fields_->Field(i));
            const auto& info = ObjectRequired(fields_->FieldInfo(i));
            if (field.Type() < platform::fieldtype::OID && info.Visible()) {
                cbxFieldName.AddItem(info.Alias());
                theFieldIndices_[listed++] = i;
            }
        }
        // A layer without a field to summarize by leaves the list empty.
        if (listed > 0) cbxFieldName.SetListIndex(0);

        DisplayNumSelected();
        Fill_TreeView();
        CheckEnable();
    });
}

void frm_Tessaly_Summarize::cbxFieldName_Click() {
    Guarded(In("cbxFieldName_Click"), [&] {
        Fill_TreeView();
        CheckEnable();
    });
}

std::int32_t frm_Tessaly_Summarize::CaseFieldIndex() {
    const int position = cbxFieldName.ListIndex();
    if (position < 0) return -1;
    if (static_cast<std::size_t>(position) >= theFieldIndices_.size())
        throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
    return theFieldIndices_[static_cast<std::size_t>(position)];
}

void frm_Tessaly_Summarize::Fill_TreeView() {
    PassedOn(In("Fill_TreeView"), [&] {
        const std::int32_t caseField = CaseFieldIndex();
        platform::TreeNodes& nodes = treeFields.Nodes();
        nodes.Clear();
        // Without a case field there is nothing to summarize by.
        if (caseField < 0) return;

        const platform::TableFields& fields = ObjectRequired(fields_);
        platform::StatusBar& bar = ObjectRequired(ObjectRequired(application_).StatusBar());
        const int count = fields.FieldCount();
        // The bar and the pointer are put back however the rebuild ends.
        StatusBarProgress progress(bar, "Examining fields in " + cbxLayer.Text() + "...", count,
                                   StatusBarProgress::Pointer::Hourglass);
        for (int i = 0; i < count; ++i) {
            const auto& info = ObjectRequired(fields.FieldInfo(i));
            if (i != caseField && info.Visible()) {
                const int type = ObjectRequired(fields.Field(i)).Type();
                int image = 0;
                std::vector<const char*> statistics;
                if (type >= platform::fieldtype::SmallInteger && type <= platform::fieldtype::Double) {
                    image = kNumericField;
                    statistics.assign(kNumericStatistics.begin(), kNumericStatistics.end());
                } else if (type == platform::fieldtype::String || type == platform::fieldtype::Date) {
                    image = type == platform::fieldtype::String ? kTextField : kDateField;
                    statistics.assign(kTextStatistics.begin(), kTextStatistics.end());
                }
                if (image != 0) {
                    const std::string key = "key_" + std::to_string(i);
                    nodes.Add("", 0, key, info.Alias(), image).SetTag("Field");
                    for (std::size_t j = 0; j < statistics.size(); ++j)
                        nodes.Add(key, platform::tvwChild, key + "_" + std::to_string(j), statistics[j], kUnticked)
                            .SetTag("Stat");
                }
            }
            progress.Step();
        }
        progress.Finish();
    });
}

void frm_Tessaly_Summarize::treeFields_NodeClick(platform::TreeNode& node) {
    Guarded(In("treeFields_NodeClick"), [&] {
        if (node.Tag() == "Stat") {
            const int image = node.Image() == kUnticked ? kTicked : kUnticked;
            node.SetImage(image);
            node.SetSelectedImage(image);
        }
        CheckEnable();
    });
}

void frm_Tessaly_Summarize::DisplayNumSelected() {
    PassedOn(In("DisplayNumSelected"), [&] {
        // No layer or table is chosen: there is nothing to count.
        if (!selectedLayer_) {
            chkSumSelected.SetCaption(kSummarizeCheckCaption);
            chkSumSelected.SetValue(platform::vbGrayed);
            chkSumSelected.SetEnabled(false);
            return;
        }
        const auto table = ThemeTable(selectedLayer_);
        const std::int64_t selected = ShownSelectedRowCount(selectedLayer_);
        const std::int64_t total = table->RowCount(nullptr);
        chkSumSelected.SetCaption(std::string(kSummarizeCheckCaption) + " (" + InsertCommas(selected) + " of " +
                                  InsertCommas(total) + " selected)");
        // The tick is set when the box becomes enabled or describes another layer; otherwise it is the user's.
        const bool ticks = selected != 0 && (!chkSumSelected.Enabled() || countedLayer_ != selectedLayer_);
        if (selected == 0)
            chkSumSelected.SetValue(platform::vbGrayed);
        else if (ticks)
            chkSumSelected.SetValue(platform::vbChecked);
        chkSumSelected.SetEnabled(selected != 0);
        countedLayer_ = selectedLayer_;
    });
}

void frm_Tessaly_Summarize::CheckEnable() {
    Guarded(In("CheckEnable"), [&] { cmdOK.SetEnabled(!txtOutput.Text().empty() && cbxFieldName.ListIndex() >= 0); });
}

std::string frm_Tessaly_Summarize::GetPath() const { return tessaly::GetPath(application_.get(), kModule); }

void frm_Tessaly_Summarize::txtOutput_Change() {
    Guarded(In("txtOutput_Change"), [&] { CheckEnable(); });
}

void frm_Tessaly_Summarize::Form_Click() {
    Guarded(In("Form_Click"), [&] { DisplayNumSelected(); });
}

void frm_Tessaly_Summarize::Form_MouseDown(int, int, float, float) {
    Guarded(In("Form_MouseDown"), [&] { DisplayNumSelected(); });
}

void frm_Tessaly_Summarize::cmdHelp_Click() {
    Guarded(In("cmdHelp_Click"), [&] {
        if (!help_) help_ = std::make_shared<frmSumHelp>();
        ObjectRequired(help_->Frame()).SetVisible(true);
    });
}

void frm_Tessaly_Summarize::cmdOpenTable_Click() {
    Guarded(In("cmdOpenTable_Click"), [&] { OpenAttributeTableWindow(selectedLayer_, application_); });
}

void frm_Tessaly_Summarize::cmdSwitchSel_Click() {
    Guarded(In("cmdSwitchSel_Click"), [&] {
        const auto& document = ObjectRequired(application_).Document();
        SwitchSelection(ObjectRequired(ObjectRequired(document).ActiveView()), selectedLayer_);
        DisplayNumSelected();
    });
}

void frm_Tessaly_Summarize::cmdOpenStats_Click() {
    Guarded(In("cmdOpenStats_Click"), [&] {
        auto candidates = std::make_shared<TableLayerCollection>();
        candidates->Add(selectedLayer_, "0");
        StatisticsCaller caller;
        caller.application = application_;
        caller.candidates = candidates;
        caller.currentSelected = selectedLayer_;
        caller.ruleAfterIgnoredValues = kStatsDialogRule;
        caller.showReport = [this](const std::string& report) {
            ShowInModalReportWindow(ObjectRequired(report_), report);
        };
        RunStatistics(caller, settings_);
    });
}

void frm_Tessaly_Summarize::cmdCancel_Click() {
    Guarded(In("cmdCancel_Click"), [&] { Hide(); });
}

}  // namespace tessaly
