#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "SampleForm.h"
#include "platform/forms/FormsError.h"
#include "platform/forms/HeadlessBackend.h"

using platform::ComError;
using Events = std::vector<std::string>;

namespace {

struct EventCase {
    const char* name;
    std::function<void(SampleForm&)> act;
    Events expected;
};

void PrintTo(const EventCase& c, std::ostream* os) { *os << c.name; }

class CodeRaisedEvents : public ::testing::TestWithParam<EventCase> {};

TEST_P(CodeRaisedEvents, FireAsTheClassicRuntimeFiresThem) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Load();
    for (const char* name : {"alpha", "beta", "gamma"}) {
        form->lbxNames.AddItem(name);
        form->lbxMulti.AddItem(name);
    }
    form->events.clear();
    GetParam().act(*form);
    EXPECT_EQ(form->events, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, CodeRaisedEvents,
    ::testing::Values(
        EventCase{"ListIndexValidRunsClick", [](SampleForm& f) { f.lbxNames.SetListIndex(1); },
                  {"lbxNames_Click 1"}},
        EventCase{"ListIndexMinusOneRunsNothing",
                  [](SampleForm& f) {
                      f.lbxNames.SetListIndex(2);
                      f.lbxNames.SetListIndex(-1);
                  },
                  {"lbxNames_Click 2"}},
        EventCase{"ClearResetsListIndexSilently",
                  [](SampleForm& f) {
                      f.lbxNames.SetListIndex(0);
                      f.lbxNames.Clear();
                      f.events.push_back("index " + std::to_string(f.lbxNames.ListIndex()));
                  },
                  {"lbxNames_Click 0", "index -1"}},
        EventCase{"ComboListIndexRunsClickWithItsText", [](SampleForm& f) { f.cbxPlaces.SetListIndex(2); },
                  {"cbxPlaces_Click 2"}},
        EventCase{"CheckBoxValueChangeRunsClick",
                  [](SampleForm& f) {
                      f.chkIgnore.SetValue(1);
                      f.chkIgnore.SetValue(1);
                      f.chkIgnore.SetValue(0);
                  },
                  {"chkIgnore_Click 1", "chkIgnore_Click 0"}},
        EventCase{"OptionValueTrueRunsClickEvenWhenSet",
                  [](SampleForm& f) {
                      f.optB.SetValue(true);
                      f.optB.SetValue(true);
                      f.optB.SetValue(false);
                  },
                  {"optB_Click", "optB_Click"}},
        EventCase{"TextChangeRunsChangeOnlyWhenItDiffers",
                  [](SampleForm& f) {
                      f.txtName.SetText("design text");
                      f.txtName.SetText("new");
                  },
                  {"txtName_Change new"}},
        EventCase{"SelTextInsertRunsChange",
                  [](SampleForm& f) {
                      f.txtName.SetSelStart(7);
                      f.txtName.SetSelLength(4);
                      f.txtName.SetSelText("TEXT");
                  },
                  {"txtName_Change design TEXT"}},
        EventCase{"MultiSelectMarkFromCodeRunsClick", [](SampleForm& f) { f.lbxMulti.SetSelected(1, true); },
                  {"lbxMulti_Click"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UserActions, DoubleClickComesAfterTheClickOnTheSameRow) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Show();
    form->lbxNames.AddItem("a");
    form->lbxNames.AddItem("b");
    form->events.clear();
    form->lbxNames.UserDoubleClick(1);
    form->lbxNames.UserDoubleClick(-1);
    EXPECT_EQ(form->events, (Events{"lbxNames_Click 1", "lbxNames_DblClick 1", "lbxNames_DblClick 1"}));
}

TEST(UserActions, EveryToggleOfAMultiSelectListClicksAlsoWhenNothingStaysMarked) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Show();
    form->lbxMulti.AddItem("a");
    form->lbxMulti.AddItem("b");
    form->events.clear();
    form->lbxMulti.UserClick(0);
    form->lbxMulti.UserClick(1);
    EXPECT_TRUE(form->lbxMulti.Selected(0));
    EXPECT_TRUE(form->lbxMulti.Selected(1));
    form->lbxMulti.UserClick(0);
    form->lbxMulti.UserClick(1);
    EXPECT_FALSE(form->lbxMulti.Selected(0));
    EXPECT_FALSE(form->lbxMulti.Selected(1));
    EXPECT_EQ(form->events.size(), 4u);
}

TEST(UserActions, DisabledControlsAndHiddenFormsTakeNoInput) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->cmdOK.UserClick();
    EXPECT_TRUE(form->events.empty());
    EXPECT_FALSE(form->IsLoaded());
    form->Show();
    form->cmdOK.SetEnabled(false);
    form->cmdOK.UserClick();
    form->chkIgnore.SetEnabled(false);
    form->chkIgnore.UserClick();
    form->cpGroup.SetEnabled(false);
    form->optInner1.UserClick();
    EXPECT_EQ(form->events, (Events{"Form_Load"}));
    form->cpGroup.SetEnabled(true);
    form->optInner1.UserClick();
    EXPECT_EQ(form->events.back(), "optInner1_Click");
}

TEST(UserActions, TypingReplacesTheSelectionUnlessLocked) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Show();
    form->txtName.UserSelect(0, 6);
    form->txtName.UserType("Zürich");
    EXPECT_EQ(form->txtName.Text(), "Zürich text");
    EXPECT_EQ(form->txtName.SelStart(), 6);
    form->txtName.SetLocked(true);
    form->txtName.UserType("!");
    EXPECT_EQ(form->txtName.Text(), "Zürich text");
}

TEST(TextBoxSelection, CountsCharactersAndClampsToTheText) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->txtName.SetText("äöü end");
    form->txtName.SetSelStart(1);
    form->txtName.SetSelLength(99);
    EXPECT_EQ(form->txtName.SelLength(), 6);
    EXPECT_EQ(form->txtName.SelText(), "öü end");
    form->txtName.SetSelStart(50);
    EXPECT_EQ(form->txtName.SelStart(), 7);
    EXPECT_EQ(form->txtName.SelLength(), 0);
    EXPECT_THROW(form->txtName.SetSelStart(-1), ComError);
}

TEST(OptionGroups, SettingAnOptionClearsOnlyItsOwnContainersButtons) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->optInner1.SetValue(true);
    EXPECT_TRUE(form->optA.Value());
    EXPECT_TRUE(form->optInner1.Value());
    form->optInner2.SetValue(true);
    EXPECT_FALSE(form->optInner1.Value());
    form->optB.SetValue(true);
    EXPECT_FALSE(form->optA.Value());
    EXPECT_TRUE(form->optInner2.Value());
}

TEST(ListBoxes, OutOfRangePositionsFailAsTheRuntimeDoes) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->lbxNames.AddItem("a");
    EXPECT_EQ(form->lbxNames.List(-1), "");
    EXPECT_EQ(form->lbxNames.List(5), "");
    EXPECT_EQ(form->lbxNames.Text(), "");
    try {
        form->lbxNames.SetListIndex(1);
        FAIL();
    } catch (const ComError& e) {
        EXPECT_EQ(e.Number(), platform::formerr::InvalidPropertyValue);
    }
    try {
        form->lbxMulti.Selected(0);
        FAIL();
    } catch (const ComError& e) {
        EXPECT_EQ(e.Number(), platform::formerr::InvalidPropertyArrayIndex);
    }
}

TEST(ComboBoxes, DropDownListTextIsTheChosenLineAndTakesOnlyALine) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    EXPECT_EQ(form->cbxPlaces.Text(), "");
    form->cbxPlaces.SetText("1");
    EXPECT_EQ(form->cbxPlaces.ListIndex(), 1);
    EXPECT_THROW(form->cbxPlaces.SetText("7"), ComError);
}

TEST(TreeViews, NodesKeepAdditionOrderAndParents) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Show();
    auto& nodes = form->treeFields.Nodes();
    nodes.Add("", 0, "key_2", "AREA", 4);
    nodes.Add("key_2", platform::tvwChild, "key_2_0", "Minimum", 1, 2).SetTag("Stat");
    nodes.Add("", 0, "key_5", "NAME", 3);
    EXPECT_EQ(nodes.Count(), 3);
    EXPECT_EQ(nodes.Item(2).Parent()->Key(), "key_2");
    EXPECT_EQ(nodes.Item(2).Tag(), "Stat");
    EXPECT_EQ(nodes.Item(2).SelectedImage(), 2);
    EXPECT_EQ(nodes.Item(3).Parent(), nullptr);
    EXPECT_EQ(nodes.Roots().size(), 2u);
    EXPECT_THROW(nodes.Add("", 0, "key_5", "again"), ComError);
    EXPECT_THROW(nodes.Add("nope", platform::tvwChild, "k", "t"), ComError);
    EXPECT_THROW(nodes.Item(4), ComError);
    form->events.clear();
    form->treeFields.UserClickNode(nodes.Item("key_2_0"));
    EXPECT_EQ(form->events, (Events{"treeFields_NodeClick key_2_0"}));
    nodes.Clear();
    EXPECT_EQ(nodes.Count(), 0);
}

}  // namespace
