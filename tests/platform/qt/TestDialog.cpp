#include "TestDialog.h"

TestDialog::TestDialog() : Form("frmTest") {
    cmdOK.Click = [this] {
        Log("cmdOK_Click");
        if (hideOnOK) Hide();
    };
    lblName.Click = [this] { Log("lblName_Click"); };
    txtName.Change = [this] { Log("txtName_Change " + txtName.Text()); };
    lbxNames.Click = [this] { Log("lbxNames_Click " + std::to_string(lbxNames.ListIndex())); };
    lbxNames.DblClick = [this] { Log("lbxNames_DblClick " + std::to_string(lbxNames.ListIndex())); };
    lbxMulti.Click = [this] { Log("lbxMulti_Click " + std::to_string(lbxMulti.ListIndex())); };
    cbxPlaces.Click = [this] { Log("cbxPlaces_Click " + cbxPlaces.Text()); };
    chkIgnore.Click = [this] { Log("chkIgnore_Click " + std::to_string(chkIgnore.Value())); };
    optA.Click = [this] { Log("optA_Click"); };
    optB.Click = [this] { Log("optB_Click"); };
    treeFields.NodeClick = [this](platform::TreeNode& node) { Log("treeFields_NodeClick " + node.Key()); };
    imgCorner.Click = [this] { Log("imgCorner_Click"); };
    picLogo.Click = [this] { Log("picLogo_Click"); };
    optA.SetContainer(cpChoice);
    optB.SetContainer(cpChoice);
}

void TestDialog::Design() {
    SetCaption("Test Dialog");
    SetClientSize(9000, 6000);
    cmdOK.SetCaption("&OK");
    cmdOK.SetToolTipText("Close the dialog");
    cmdOK.Move(7500, 5400, 1260, 360);
    lblName.SetCaption("&Name:");
    lblName.Move(120, 120, 1200, 300);
    txtName.Move(1440, 120, 3000, 315);
    txtNotes.SetMultiLine(true);
    txtNotes.Move(4560, 120, 4320, 1200);
    lbxNames.Move(120, 600, 2400, 1500);
    lbxMulti.SetMultiSelect(platform::vbMultiSelectSimple);
    lbxMulti.Move(2640, 600, 1800, 1500);
    cbxPlaces.SetStyle(platform::vbComboDropdownList);
    cbxPlaces.Move(4560, 1440, 1800, 315);
    chkIgnore.SetCaption("Ignore");
    chkIgnore.Move(6480, 1440, 1500, 315);
    cpChoice.SetCaption("Choice");
    cpChoice.Move(120, 2280, 3000, 1200);
    optA.SetCaption("A");
    optA.Move(120, 300, 1200, 300);
    optB.SetCaption("B");
    optB.Move(120, 720, 1200, 300);
    treeFields.Move(3240, 2280, 3000, 2400);
    treeFields.SetImageList(&imgList);
    imgCorner.Move(8760, 5760, 240, 240);
    picLogo.Move(6360, 2280, 1200, 900);
    rtfAbout.Move(120, 3600, 3000, 1500);
}

void TestDialog::Form_Resize() {
    ++resizes;
    if (!followSize) return;
    cmdOK.SetLeft(ScaleWidth() - cmdOK.Width() - 240);
    cmdOK.SetTop(ScaleHeight() - cmdOK.Height() - 240);
}
