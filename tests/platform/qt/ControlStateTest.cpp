#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QCoreApplication>
#include <QListView>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QtTestSupport.h"
#include "TestDialog.h"
#include "platform/qt/Twips.h"

namespace {

using platform::qt::TwipScale;

class ShownDialog : public ::testing::Test {
public:
    void SetUp() override {
        dialog = std::make_shared<TestDialog>();
        dialog->Show();
        ProcessEvents();
    }
    void TearDown() override {
        dialog->Unload();
        ProcessEvents();
    }
    template <class W>
    W* Widget(const platform::Control& control) const {
        return ui.Widget<W>(*dialog, control);
    }

    ScopedQtUi ui;
    std::shared_ptr<TestDialog> dialog;
};

TEST(TwipScale, FifteenTwipsArePixelAtNinetySixDotsPerInch) {
    const TwipScale scale(96, 96);
    EXPECT_EQ(scale.ToPixelsX(15), 1);
    EXPECT_EQ(scale.ToPixels(120, 240, 1500, 405), QRect(8, 16, 100, 27));
    EXPECT_EQ(scale.ToTwipsY(100), 1500);
    EXPECT_EQ(TwipScale(144, 144).ToPixelsX(1500), 150);
}

TEST_F(ShownDialog, EveryControlSitsWhereTheModelPutsIt) {
    const TwipScale scale = TwipScale::OfScreen();
    for (platform::Control* control : dialog->Controls()) {
        if (control == &dialog->imgList) continue;
        QWidget* widget = ui->ViewOf(*dialog)->WidgetOf(*control);
        ASSERT_NE(widget, nullptr) << control->Name();
        EXPECT_EQ(widget->geometry(),
                  scale.ToPixels(control->Left(), control->Top(), control->Width(), control->Height()))
            << control->Name();
        EXPECT_EQ(widget->objectName().toStdString(), control->Name());
    }
    EXPECT_EQ(ui->ViewOf(*dialog)->WidgetOf(dialog->imgList), nullptr);
}

TEST_F(ShownDialog, TheWindowHasTheFormsCaptionAndClientSize) {
    QWidget* window = ui->WindowOf(*dialog);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Test Dialog"));
    EXPECT_EQ(window->size(), TwipScale::OfScreen().ToPixels(9000, 6000));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(ShownDialog, OptionsInAFrameAreChildrenOfItsGroupBox) {
    auto* group = Widget<QGroupBox>(dialog->cpChoice);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("Choice"));
    EXPECT_EQ(Widget<QRadioButton>(dialog->optA)->parentWidget(), group);
    EXPECT_EQ(Widget<QPushButton>(dialog->cmdOK)->parentWidget(), ui->ViewOf(*dialog));
}

struct StateCase {
    const char* name;
    std::function<void(TestDialog&)> set;
    std::function<bool(ShownDialog&)> shown;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

class ControlShowsItsState : public ShownDialog, public ::testing::WithParamInterface<StateCase> {
public:
    bool Shown() { return GetParam().shown(*this); }
    using ShownDialog::Widget;
};

TEST_P(ControlShowsItsState, AfterTheModelChangesByCode) {
    GetParam().set(*dialog);
    EXPECT_TRUE(Shown());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ControlShowsItsState,
    ::testing::Values(
        StateCase{"ButtonCaptionAndTooltip", [](TestDialog& d) { d.cmdOK.SetCaption("&Exit"); },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QPushButton>(t.dialog->cmdOK);
                      return w->text() == "&Exit" && w->toolTip() == "Close the dialog";
                  }},
        StateCase{"LabelCaptionWithoutAccessKey", [](TestDialog& d) { d.lblName.SetCaption("Fish && &Chips"); },
                  [](ShownDialog& t) { return t.Widget<QLabel>(t.dialog->lblName)->text() == "Fish & Chips"; }},
        StateCase{"LabelForeColour", [](TestDialog& d) { d.lblName.SetForeColor(0x0000FF); },
                  [](ShownDialog& t) {
                      return t.Widget<QLabel>(t.dialog->lblName)->palette().color(QPalette::WindowText) ==
                             QColor(255, 0, 0);
                  }},
        StateCase{"DisabledControl", [](TestDialog& d) { d.txtName.SetEnabled(false); },
                  [](ShownDialog& t) { return !t.Widget<QLineEdit>(t.dialog->txtName)->isEnabled(); }},
        StateCase{"HiddenControl", [](TestDialog& d) { d.chkIgnore.SetVisible(false); },
                  [](ShownDialog& t) { return t.Widget<QCheckBox>(t.dialog->chkIgnore)->isHidden(); }},
        StateCase{"TextAndSelection",
                  [](TestDialog& d) {
                      d.txtName.SetText("hello world");
                      d.txtName.SetSelStart(6);
                      d.txtName.SetSelLength(5);
                  },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QLineEdit>(t.dialog->txtName);
                      return w->text() == "hello world" && w->selectedText() == "world";
                  }},
        StateCase{"TextBoxFontSizeAndBackColour",
                  [](TestDialog& d) {
                      d.txtName.SetFontSize(12);
                      d.txtName.SetBackColor(0x00FFFF);
                  },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QLineEdit>(t.dialog->txtName);
                      return w->font().pointSizeF() == 12 && w->palette().color(QPalette::Base) == QColor(255, 255, 0);
                  }},
        StateCase{"LockedTextBoxIsReadOnly", [](TestDialog& d) { d.txtNotes.SetLocked(true); },
                  [](ShownDialog& t) { return t.Widget<QPlainTextEdit>(t.dialog->txtNotes)->isReadOnly(); }},
        StateCase{"MultiLineTextShowsLineBreaks", [](TestDialog& d) { d.txtNotes.SetText("one\r\ntwo\rthree"); },
                  [](ShownDialog& t) {
                      return t.Widget<QPlainTextEdit>(t.dialog->txtNotes)->toPlainText() == "one\ntwo\nthree";
                  }},
        StateCase{"ListLinesAndChosenLine",
                  [](TestDialog& d) {
                      for (const char* name : {"alpha", "beta", "gamma"}) d.lbxNames.AddItem(name);
                      d.lbxNames.SetListIndex(1);
                  },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QListView>(t.dialog->lbxNames);
                      auto* marks = w->selectionModel();
                      return w->model()->rowCount() == 3 && w->model()->index(2, 0).data() == "gamma" &&
                             marks->isRowSelected(1) && !marks->isRowSelected(0);
                  }},
        StateCase{"ListClearedShowsNothingChosen",
                  [](TestDialog& d) {
                      d.lbxNames.AddItem("alpha");
                      d.lbxNames.SetListIndex(0);
                      d.lbxNames.Clear();
                      d.lbxNames.AddItem("beta");
                  },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QListView>(t.dialog->lbxNames);
                      return w->model()->rowCount() == 1 && w->model()->index(0, 0).data() == "beta" &&
                             !w->selectionModel()->isRowSelected(0);
                  }},
        StateCase{"LongListShowsTheLineChosenAsItFills",
                  [](TestDialog& d) {
                      for (int i = 0; i < 5000; ++i) d.lbxNames.AddItem("line " + std::to_string(i));
                      d.lbxNames.SetListIndex(4990);
                  },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QListView>(t.dialog->lbxNames);
                      return w->viewport()->rect().contains(w->visualRect(w->model()->index(4990, 0)));
                  }},
        StateCase{"TheWidestLineSetsTheListsWidth",
                  [](TestDialog& d) {
                      for (int i = 0; i < 50; ++i) d.lbxNames.AddItem(i == 20 ? std::string(300, 'w') : "short");
                  },
                  [](ShownDialog& t) {
                      QCoreApplication::processEvents();  // the view lays its lines out
                      return t.Widget<QListView>(t.dialog->lbxNames)->horizontalScrollBar()->maximum() > 0;
                  }},
        StateCase{"MultiSelectMarks",
                  [](TestDialog& d) {
                      for (const char* name : {"a", "b", "c"}) d.lbxMulti.AddItem(name);
                      d.lbxMulti.SetSelected(0, true);
                      d.lbxMulti.SetSelected(2, true);
                  },
                  [](ShownDialog& t) {
                      auto* marks = t.Widget<QListView>(t.dialog->lbxMulti)->selectionModel();
                      return marks->isRowSelected(0) && !marks->isRowSelected(1) && marks->isRowSelected(2);
                  }},
        StateCase{"ComboLinesAndChoice",
                  [](TestDialog& d) {
                      for (const char* place : {"0", "1", "2"}) d.cbxPlaces.AddItem(place);
                      d.cbxPlaces.SetListIndex(2);
                  },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QComboBox>(t.dialog->cbxPlaces);
                      return w->count() == 3 && w->currentText() == "2" && !w->isEditable();
                  }},
        StateCase{"CheckBoxGreyed", [](TestDialog& d) { d.chkIgnore.SetValue(platform::vbGrayed); },
                  [](ShownDialog& t) {
                      return t.Widget<QCheckBox>(t.dialog->chkIgnore)->checkState() == Qt::PartiallyChecked;
                  }},
        StateCase{"OptionGroupExclusive",
                  [](TestDialog& d) {
                      d.optA.SetValue(true);
                      d.optB.SetValue(true);
                  },
                  [](ShownDialog& t) {
                      return !t.Widget<QRadioButton>(t.dialog->optA)->isChecked() &&
                             t.Widget<QRadioButton>(t.dialog->optB)->isChecked();
                  }},
        StateCase{"TreeNodesUnderTheirParents",
                  [](TestDialog& d) {
                      d.treeFields.Nodes().Add("", 0, "key_2", "NAME", 3);
                      d.treeFields.Nodes().Add("key_2", platform::tvwChild, "key_2_0", "First", 1, 1);
                      d.treeFields.Nodes().Add("", 0, "key_3", "AREA", 4);
                  },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QTreeWidget>(t.dialog->treeFields);
                      return w->topLevelItemCount() == 2 && w->topLevelItem(0)->text(0) == "NAME" &&
                             w->topLevelItem(0)->childCount() == 1 &&
                             w->topLevelItem(0)->child(0)->text(0) == "First" &&
                             w->topLevelItem(1)->text(0) == "AREA";
                  }},
        StateCase{"RichTextFormatted",
                  [](TestDialog& d) { d.rtfAbout.SetTextRTF("{\\rtf1 {\\b Heading:}\\par Body text\\par}"); },
                  [](ShownDialog& t) {
                      auto* w = t.Widget<QTextBrowser>(t.dialog->rtfAbout);
                      return w->toPlainText() == "Heading:\nBody text" && w->toHtml().contains("font-weight:700");
                  }},
        StateCase{"MissingPictureDrawsNothing", [](TestDialog& d) { d.imgCorner.SetPicture("no-such-picture"); },
                  [](ShownDialog& t) { return t.Widget<QLabel>(t.dialog->imgCorner)->pixmap().isNull(); }},
        StateCase{"FormCaption", [](TestDialog& d) { d.SetCaption("Query = Big towns"); },
                  [](ShownDialog& t) { return t.ui->WindowOf(*t.dialog)->windowTitle() == "Query = Big towns"; }},
        StateCase{"DisabledForm", [](TestDialog& d) { d.SetEnabled(false); },
                  [](ShownDialog& t) { return !t.ui->WindowOf(*t.dialog)->isEnabled(); }}));

// A list's lines and marks, as its control holds them or as its widget shows
// them; for a combo box the mark is the chosen line.
struct ListLook {
    std::vector<std::string> lines;
    std::vector<bool> marks;
    bool operator==(const ListLook&) const = default;
};

void PrintTo(const ListLook& look, std::ostream* os) {
    for (std::size_t i = 0; i < look.lines.size(); ++i)
        *os << (look.marks[i] ? " [" : " ") << look.lines[i] << (look.marks[i] ? "]" : "");
}

ListLook HeldBy(platform::ListControl& list) {
    ListLook look;
    auto* box = dynamic_cast<platform::ListBox*>(&list);
    for (int i = 0; i < list.ListCount(); ++i) {
        look.lines.push_back(list.List(i));
        look.marks.push_back(box != nullptr ? box->Selected(i) : i == list.ListIndex());
    }
    return look;
}

ListLook ShownBy(QWidget* widget) {
    ListLook look;
    if (auto* list = dynamic_cast<QListView*>(widget)) {
        for (int i = 0; i < list->model()->rowCount(); ++i) {
            look.lines.push_back(list->model()->index(i, 0).data().toString().toStdString());
            look.marks.push_back(list->selectionModel()->isRowSelected(i));
        }
    } else if (auto* combo = dynamic_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            look.lines.push_back(combo->itemText(i).toStdString());
            look.marks.push_back(i == combo->currentIndex());
        }
    }
    return look;
}

using ListStep = std::function<void(platform::ListControl&)>;

ListStep Add(std::vector<std::string> lines) {
    return [lines](platform::ListControl& list) {
        for (const std::string& line : lines) list.AddItem(line);
    };
}
// Marks a line from code: a list box's Selected, a combo box's ListIndex.
ListStep Mark(int index) {
    return [index](platform::ListControl& list) {
        if (auto* box = dynamic_cast<platform::ListBox*>(&list)) {
            box->SetSelected(index, true);
        } else {
            list.SetListIndex(index);
        }
    };
}
ListStep Choose(int index) {
    return [index](platform::ListControl& list) { list.SetListIndex(index); };
}
ListStep Clear() {
    return [](platform::ListControl& list) { list.Clear(); };
}

struct ListCase {
    const char* name;
    std::vector<ListStep> steps;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

enum class ListKind { Single, Multi, Combo };

const char* KindName(ListKind kind) {
    return kind == ListKind::Single ? "SingleSelect" : kind == ListKind::Multi ? "MultiSelect" : "Combo";
}
void PrintTo(ListKind kind, std::ostream* os) { *os << KindName(kind); }

class ListShowsItsModel : public ShownDialog, public ::testing::WithParamInterface<std::tuple<ListKind, ListCase>> {
public:
    platform::ListControl& List() const {
        switch (std::get<0>(GetParam())) {
        case ListKind::Single: return dialog->lbxNames;
        case ListKind::Multi: return dialog->lbxMulti;
        case ListKind::Combo: return dialog->cbxPlaces;
        }
        return dialog->lbxNames;
    }
};

std::string ListCaseName(const ::testing::TestParamInfo<std::tuple<ListKind, ListCase>>& info) {
    return std::string(KindName(std::get<0>(info.param))) + "_" + std::get<1>(info.param).name;
}

TEST_P(ListShowsItsModel, AfterEveryStepByCode) {
    platform::ListControl& list = List();
    const auto& steps = std::get<1>(GetParam()).steps;
    for (std::size_t step = 0; step < steps.size(); ++step) {
        steps[step](list);
        EXPECT_EQ(ShownBy(Widget<QWidget>(list)), HeldBy(list)) << "after step " << step;
    }
    ProcessEvents();
    EXPECT_EQ(ShownBy(Widget<QWidget>(list)), HeldBy(list)) << "once drawn";
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListShowsItsModel,
    ::testing::Combine(
        ::testing::Values(ListKind::Single, ListKind::Multi, ListKind::Combo),
        ::testing::Values(ListCase{"Appends", {Add({"alpha"}), Add({"beta", "gamma"})}},
                          ListCase{"ClearedThenFilledWithTheSameFirstLines",
                                   {Add({"a", "b", "c"}), Mark(1), Clear(), Add({"a", "b"}), Add({"x", "y"})}},
                          ListCase{"MarkedThenAppended", {Add({"a", "b", "c"}), Mark(1), Mark(2), Add({"d", "e"})}},
                          ListCase{"ChosenThenAppended", {Add({"a", "b", "c"}), Choose(2), Add({"d"}), Choose(0),
                                                          Add({"e"})}})),
    ListCaseName);

}  // namespace
