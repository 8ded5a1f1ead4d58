#pragma once
#include <string>
#include <vector>

#include "platform/forms/Forms.h"

// A small dialog with one control of each kind, recording its events.
class SampleForm : public platform::Form {
public:
    SampleForm() : Form("frmSample") {
        cmdOK.Click = [this] { Log("cmdOK_Click"); cmdOK_Click(); };
        cmdCancel.Click = [this] { Log("cmdCancel_Click"); Hide(); };
        lbxNames.Click = [this] { Log("lbxNames_Click " + std::to_string(lbxNames.ListIndex())); };
        lbxNames.DblClick = [this] { Log("lbxNames_DblClick " + std::to_string(lbxNames.ListIndex())); };
        lbxMulti.Click = [this] { Log("lbxMulti_Click"); };
        cbxPlaces.Click = [this] { Log("cbxPlaces_Click " + cbxPlaces.Text()); };
        chkIgnore.Click = [this] { Log("chkIgnore_Click " + std::to_string(chkIgnore.Value())); };
        optA.Click = [this] { Log("optA_Click"); };
        optB.Click = [this] { Log("optB_Click"); };
        optInner1.Click = [this] { Log("optInner1_Click"); };
        optInner2.Click = [this] { Log("optInner2_Click"); };
        txtName.Change = [this] { Log("txtName_Change " + txtName.Text()); };
        treeFields.NodeClick = [this](platform::TreeNode& node) { Log("treeFields_NodeClick " + node.Key()); };
        optInner1.SetContainer(cpGroup);
        optInner2.SetContainer(cpGroup);
    }

    // Public fields of the form object: they never load the window.
    int loads = 0;
    int unloads = 0;
    int resizes = 0;
    bool unloadOnOK = false;
    std::vector<std::string> events;

    platform::CommandButton cmdOK{*this, "cmdOK"};
    platform::CommandButton cmdCancel{*this, "cmdCancel"};
    platform::Label lblTitle{*this, "lblTitle"};
    platform::TextBox txtName{*this, "txtName"};
    platform::ListBox lbxNames{*this, "lbxNames"};
    platform::ListBox lbxMulti{*this, "lbxMulti"};
    platform::ComboBox cbxPlaces{*this, "cbxPlaces"};
    platform::CheckBox chkIgnore{*this, "chkIgnore"};
    platform::OptionButton optA{*this, "optA"};
    platform::OptionButton optB{*this, "optB"};
    platform::Frame cpGroup{*this, "cpGroup"};
    platform::OptionButton optInner1{*this, "optInner1"};
    platform::OptionButton optInner2{*this, "optInner2"};
    platform::TreeView treeFields{*this, "treeFields"};
    platform::Image imgCornerBars{*this, "imgCornerBars"};

protected:
    void Design() override {
        SetCaption("Sample");
        SetClientSize(4000, 3000);
        cmdOK.SetCaption("OK");
        cmdOK.Move(2400, 2400, 1200, 400);
        cmdCancel.SetCaption("Cancel");
        lblTitle.SetCaption("Names:");
        txtName.SetText("design text");
        cbxPlaces.SetStyle(platform::vbComboDropdownList);
        lbxMulti.SetMultiSelect(platform::vbMultiSelectSimple);
        cpGroup.Move(100, 100, 2000, 1500);
        optA.SetValue(true);
    }
    void Form_Load() override {
        ++loads;
        Log("Form_Load");
        for (const char* place : {"0", "1", "2"}) cbxPlaces.AddItem(place);
    }
    void Form_Unload() override {
        ++unloads;
        Log("Form_Unload");
    }
    void Form_Resize() override { ++resizes; }

private:
    void cmdOK_Click() {
        if (unloadOnOK) {
            Unload();
        } else {
            Hide();
        }
    }
    void Log(const std::string& event) { events.push_back(event); }
};
