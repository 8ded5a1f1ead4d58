#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "QtTestSupport.h"
#include "TestDialog.h"
#include "platform/qt/Twips.h"

namespace {

using Events = std::vector<std::string>;

struct Dialog {
    Dialog() {
        dialog->Show();
        for (const char* name : {"alpha", "beta", "gamma"}) {
            dialog->lbxNames.AddItem(name);
            dialog->lbxMulti.AddItem(name);
        }
        for (const char* place : {"0", "1", "2"}) dialog->cbxPlaces.AddItem(place);
        dialog->treeFields.Nodes().Add("", 0, "key_2", "NAME", 3);
        dialog->treeFields.Nodes().Add("key_2", platform::tvwChild, "key_2_0", "Minimum", 1, 1);
        dialog->treeFields.Nodes().Add("", 0, "key_3", "AREA", 4);
        ProcessEvents();
        dialog->events.clear();
    }
    ~Dialog() {
        dialog->Unload();
        ProcessEvents();
    }
    template <class W>
    W* Widget(const platform::Control& control) const {
        return ui.Widget<W>(*dialog, control);
    }

    ScopedQtUi ui;
    std::shared_ptr<TestDialog> dialog = std::make_shared<TestDialog>();
};

QPoint RowCentre(QListView* list, int row) { return list->visualRect(list->model()->index(row, 0)).center(); }

bool Marked(QListView* list, int row) { return list->selectionModel()->isRowSelected(row); }

void ClickRow(QListView* list, int row) { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, row)); }

TEST(UserActions, AButtonClickRunsClick) {
    Dialog d;
    d.dialog->hideOnOK = false;
    QTest::mouseClick(d.Widget<QPushButton>(d.dialog->cmdOK), Qt::LeftButton);
    EXPECT_EQ(d.dialog->events, (Events{"cmdOK_Click"}));
}

TEST(UserActions, ADisabledButtonTakesNoClick) {
    Dialog d;
    d.dialog->cmdOK.SetEnabled(false);
    QTest::mouseClick(d.Widget<QPushButton>(d.dialog->cmdOK), Qt::LeftButton);
    EXPECT_TRUE(d.dialog->events.empty());
}

TEST(UserActions, ClickingALineChoosesItAndRunsClickEveryTime) {
    Dialog d;
    auto* list = d.Widget<QListView>(d.dialog->lbxNames);
    ClickRow(list, 2);
    ClickRow(list, 2);
    EXPECT_EQ(d.dialog->events, (Events{"lbxNames_Click 2", "lbxNames_Click 2"}));
    EXPECT_EQ(d.dialog->lbxNames.ListIndex(), 2);
    EXPECT_TRUE(Marked(list, 2));
}

TEST(UserActions, ADoubleClickRunsOneClickThenDblClick) {
    Dialog d;
    auto* list = d.Widget<QListView>(d.dialog->lbxNames);
    // A double click reaches a widget as a click, then the double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
    EXPECT_EQ(d.dialog->events, (Events{"lbxNames_Click 1", "lbxNames_DblClick 1"}));
}

TEST(UserActions, ArrowKeysChooseTheNextLine) {
    Dialog d;
    auto* list = d.Widget<QListView>(d.dialog->lbxNames);
    ClickRow(list, 0);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(d.dialog->events, (Events{"lbxNames_Click 0", "lbxNames_Click 1"}));
}

TEST(UserActions, KeysThatWouldMarkLinesInTheWidgetOnlyGoThroughTheList) {
    Dialog d;
    auto* names = d.Widget<QListView>(d.dialog->lbxNames);
    ClickRow(names, 0);
    QTest::keyClick(names, Qt::Key_G);  // to the first line starting with "g"
    EXPECT_EQ(d.dialog->events, (Events{"lbxNames_Click 0", "lbxNames_Click 2"}));
    EXPECT_EQ(d.dialog->lbxNames.ListIndex(), 2);
    EXPECT_EQ(names->selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(Marked(names, 2));

    auto* multi = d.Widget<QListView>(d.dialog->lbxMulti);
    QTest::keyClick(multi, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(multi->selectionModel()->selectedRows().isEmpty()) << "no line is marked that the list does not hold marked";
    EXPECT_FALSE(d.dialog->lbxMulti.Selected(0));
}

TEST(UserActions, MultiSelectClicksToggleMarksWithAClickEach) {
    Dialog d;
    auto* list = d.Widget<QListView>(d.dialog->lbxMulti);
    ClickRow(list, 0);
    ClickRow(list, 2);
    ClickRow(list, 0);
    EXPECT_EQ(d.dialog->events, (Events{"lbxMulti_Click 0", "lbxMulti_Click 2", "lbxMulti_Click 0"}));
    EXPECT_FALSE(d.dialog->lbxMulti.Selected(0));
    EXPECT_TRUE(d.dialog->lbxMulti.Selected(2));
    EXPECT_FALSE(Marked(list, 0));
    EXPECT_TRUE(Marked(list, 2));
}

TEST(UserActions, TypingRunsChangeForEachKey) {
    Dialog d;
    d.dialog->txtName.SetText("");
    d.dialog->events.clear();
    auto* edit = d.Widget<QLineEdit>(d.dialog->txtName);
    QTest::keyClicks(edit, "ab");
    EXPECT_EQ(d.dialog->events, (Events{"txtName_Change a", "txtName_Change ab"}));
    EXPECT_EQ(d.dialog->txtName.SelStart(), 2);
}

TEST(UserActions, TypingOverASelectionReplacesIt) {
    Dialog d;
    d.dialog->txtName.SetText("( x )");
    d.dialog->txtName.SetSelStart(2);
    d.dialog->txtName.SetSelLength(1);
    d.dialog->events.clear();
    QTest::keyClicks(d.Widget<QLineEdit>(d.dialog->txtName), "AREA");
    EXPECT_EQ(d.dialog->txtName.Text(), "( AREA )");
    EXPECT_EQ(d.dialog->txtName.SelStart(), 6);
    EXPECT_EQ(d.dialog->events.back(), "txtName_Change ( AREA )");
}

TEST(UserActions, TheUsersSelectionReachesTheModelAndSurvivesLeavingTheBox) {
    Dialog d;
    d.dialog->txtName.SetText("one two");
    auto* edit = d.Widget<QLineEdit>(d.dialog->txtName);
    edit->setFocus();
    edit->setSelection(4, 3);
    EXPECT_EQ(d.dialog->txtName.SelText(), "two");
    d.Widget<QPushButton>(d.dialog->cmdOK)->setFocus();
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(edit, &out);
    EXPECT_EQ(d.dialog->txtName.SelText(), "two");
}

TEST(UserActions, EnterInAMultiLineBoxTypesCarriageReturnLineFeed) {
    Dialog d;
    auto* edit = d.Widget<QPlainTextEdit>(d.dialog->txtNotes);
    QTest::keyClicks(edit, "a");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "b");
    EXPECT_EQ(d.dialog->txtNotes.Text(), "a\r\nb");
    EXPECT_EQ(d.dialog->txtNotes.SelStart(), 4);
}

TEST(UserActions, ALockedBoxTakesNoTyping) {
    Dialog d;
    d.dialog->txtName.SetText("kept");
    d.dialog->txtName.SetLocked(true);
    QTest::keyClicks(d.Widget<QLineEdit>(d.dialog->txtName), "x");
    EXPECT_EQ(d.dialog->txtName.Text(), "kept");
}

TEST(UserActions, ACheckBoxClickTicksItAndRunsClick) {
    Dialog d;
    d.dialog->chkIgnore.SetValue(platform::vbGrayed);
    d.dialog->events.clear();
    auto* box = d.Widget<QCheckBox>(d.dialog->chkIgnore);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    EXPECT_EQ(d.dialog->events, (Events{"chkIgnore_Click 1", "chkIgnore_Click 0"}));
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
}

TEST(UserActions, AnOptionClickSetsItAndClearsTheRestOfItsGroup) {
    Dialog d;
    d.dialog->optA.SetValue(true);
    d.dialog->events.clear();
    auto* optionB = d.Widget<QRadioButton>(d.dialog->optB);
    QTest::mouseClick(optionB, Qt::LeftButton, {}, QPoint(8, optionB->height() / 2));
    EXPECT_EQ(d.dialog->events, (Events{"optB_Click"}));
    EXPECT_FALSE(d.dialog->optA.Value());
    EXPECT_FALSE(d.Widget<QRadioButton>(d.dialog->optA)->isChecked());
    EXPECT_TRUE(optionB->isChecked());
}

TEST(UserActions, PickingAComboLineRunsClick) {
    Dialog d;
    auto* combo = d.Widget<QComboBox>(d.dialog->cbxPlaces);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(d.dialog->events, (Events{"cbxPlaces_Click 0"}));
    EXPECT_EQ(d.dialog->cbxPlaces.ListIndex(), 0);
}

TEST(UserActions, ANodeClickRunsNodeClickWithThatNode) {
    Dialog d;
    auto* tree = d.Widget<QTreeWidget>(d.dialog->treeFields);
    QTreeWidgetItem* area = tree->topLevelItem(1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(area).center());
    EXPECT_EQ(d.dialog->events, (Events{"treeFields_NodeClick key_3"}));
}

TEST(UserActions, ANodeClickThatRebuildsTheTreeIsSafe) {
    Dialog d;
    d.dialog->treeFields.NodeClick = [&](platform::TreeNode& node) {
        const std::string key = node.Key();
        d.dialog->treeFields.Nodes().Clear();
        d.dialog->treeFields.Nodes().Add("", 0, "after_" + key, "Rebuilt");
    };
    auto* tree = d.Widget<QTreeWidget>(d.dialog->treeFields);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)).center());
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Rebuilt");
}

TEST(UserActions, ImageAndPictureClicksRunClick) {
    Dialog d;
    QTest::mouseClick(d.Widget<QLabel>(d.dialog->imgCorner), Qt::LeftButton);
    QTest::mouseClick(d.Widget<QLabel>(d.dialog->picLogo), Qt::LeftButton);
    EXPECT_EQ(d.dialog->events, (Events{"imgCorner_Click", "picLogo_Click"}));
}

TEST(UserActions, APressOnTheFormItselfRunsMouseDownThenClickInTwips) {
    Dialog d;
    QWidget* window = d.ui->WindowOf(*d.dialog);
    const QPoint bare(300, 370);  // below the rich text, left of the tree
    ASSERT_EQ(window->childAt(bare), nullptr);
    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, bare);
    QTest::mouseClick(d.Widget<QPushButton>(d.dialog->cmdOK), Qt::LeftButton);
    const platform::qt::TwipScale scale = platform::qt::TwipScale::OfScreen();
    const std::string down = "Form_MouseDown 1 1 " + std::to_string(scale.ToTwipsX(300)) + " " +
                             std::to_string(scale.ToTwipsY(370));
    EXPECT_EQ(d.dialog->events, (Events{down, "Form_Click", "cmdOK_Click"}));
}

TEST(UserActions, TheCloseBoxUnloadsTheForm) {
    Dialog d;
    d.ui->WindowOf(*d.dialog)->close();
    EXPECT_FALSE(d.dialog->IsLoaded());
    EXPECT_EQ(d.ui->WindowOf(*d.dialog), nullptr);
}

}  // namespace
