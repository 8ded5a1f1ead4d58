#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "platform/com/ComError.h"
#include "platform/forms/Forms.h"
#include "platform/forms/HeadlessBackend.h"
#include "src/core/AnchorObjectList.h"

namespace {

// A resizable window of 6000 x 6000 twips (outer) with a frame holding one button.
class AnchoredForm : public platform::Form {
public:
    AnchoredForm() : Form("frmAnchored") { cmdInner.SetContainer(cpFrame); }

    platform::TextBox txtMain{*this, "txtMain"};
    platform::CommandButton cmdCorner{*this, "cmdCorner"};
    platform::Frame cpFrame{*this, "cpFrame"};
    platform::CommandButton cmdInner{*this, "cmdInner"};

protected:
    void Design() override {
        SetSize(6000, 6000);
        txtMain.Move(600, 600, 1200, 1200);
        cmdCorner.Move(4500, 5000, 1000, 400);
        cpFrame.Move(0, 0, 3000, 3000);
        cmdInner.Move(2000, 2000, 600, 600);
    }
};

struct TypeCase {
    const char* name;
    int type;
    int left, width;  // after widening 6000 -> 9000 (same for top, height)
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }

class AnchorTypes : public ::testing::TestWithParam<TypeCase> {};

TEST_P(AnchorTypes, PlaceTheControlOnBothAxesWhenTheWindowGrows) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<AnchoredForm>();
    tessaly::AnchorObjectList anchors;
    anchors.Item(form->txtMain)->SetAnchors(GetParam().type, GetParam().type);
    anchors.SetForm(form.get());
    form->SetSize(9000, 9000);
    EXPECT_EQ(form->txtMain.Left(), GetParam().left);
    EXPECT_EQ(form->txtMain.Width(), GetParam().width);
    EXPECT_EQ(form->txtMain.Top(), GetParam().left);
    EXPECT_EQ(form->txtMain.Height(), GetParam().width);
}

// The control starts at 600 with size 1200 in a 6000 window.
INSTANTIATE_TEST_SUITE_P(Anchoring, AnchorTypes,
                         ::testing::Values(TypeCase{"ScaleBoth", 0, 900, 1800},
                                           TypeCase{"FixedPositionScaledSize", 1, 600, 1800},
                                           TypeCase{"Fixed", 2, 600, 1200},
                                           TypeCase{"Stretch", 3, 600, 4200},
                                           TypeCase{"CentreKeepsItsFraction", 4, 1200, 1200},
                                           TypeCase{"FollowsTheFarEdge", 5, 3600, 1200},
                                           TypeCase{"ScaledSizeFixedFarMargin", 6, 3000, 1800},
                                           TypeCase{"UnknownTypeLeavesItAlone", 7, 600, 1200},
                                           TypeCase{"NegativeTypeLeavesItAlone", -1, 600, 1200}),
                         [](const auto& info) { return std::string(info.param.name); });

// A moved list would leave its window calling into the object it was moved from.
static_assert(!std::is_move_constructible_v<tessaly::AnchorObjectList>);
static_assert(!std::is_move_assignable_v<tessaly::AnchorObjectList>);

TEST(AnchorObjectList, AResizeAtTheCapturedSizeMovesNothing) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<AnchoredForm>();
    form->SetSize(7001, 5003);
    tessaly::AnchorObjectList anchors;
    for (int type = 0; type <= 6; ++type) {
        anchors.Item(form->txtMain)->SetAnchors(type, type);
        anchors.SetForm(form.get());
        form->SetSize(9000, 9000);
        form->SetSize(7001, 5003);
        EXPECT_EQ(form->txtMain.Left(), 600) << "type " << type;
        EXPECT_EQ(form->txtMain.Width(), 1200) << "type " << type;
        EXPECT_EQ(form->txtMain.Top(), 600) << "type " << type;
        EXPECT_EQ(form->txtMain.Height(), 1200) << "type " << type;
    }
}

TEST(AnchorObjectList, ARefusedNegativeWidthSkipsOnlyThatStep) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<AnchoredForm>();
    tessaly::AnchorObjectList anchors;
    anchors.Item(form->txtMain)->SetAnchors(3, 3);
    anchors.Item(form->cmdCorner)->SetAnchors(5, 5);
    anchors.SetForm(form.get());
    form->SetSize(2000, 8000);
    EXPECT_EQ(form->txtMain.Width(), 1200);   // 2000 - 4800 refused: last accepted width
    EXPECT_EQ(form->txtMain.Height(), 3200);  // the other axis still runs
    EXPECT_EQ(form->cmdCorner.Left(), 500);   // later entries still run
    EXPECT_EQ(form->cmdCorner.Top(), 7000);
}

TEST(AnchorObjectList, ItemTwiceReturnsTheSameEntryAndCountGrowsOnce) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<AnchoredForm>();
    tessaly::AnchorObjectList anchors;
    EXPECT_EQ(anchors.IndexOf(form->txtMain), 0);
    auto first = anchors.Item(form->txtMain);
    first->SetAnchors(5, 5);
    auto second = anchors.Item(form->txtMain);
    anchors.Item(form->cmdCorner);
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->X().AnchorType, 5);
    EXPECT_EQ(second->X().Value, 5400.0f);
    EXPECT_EQ(anchors.Count(), 2);
    EXPECT_EQ(anchors.IndexOf(form->cmdCorner), 2);
    anchors.Remove(form->txtMain);
    EXPECT_EQ(anchors.IndexOf(form->cmdCorner), 1);
    try {
        anchors.Remove(form->txtMain);
        FAIL() << "removed a control that has no entry";
    } catch (const platform::ComError& e) {
        EXPECT_EQ(e.Number(), platform::vberr::SubscriptOutOfRange);
    }
}

TEST(AnchorObjectList, AnEntryWithoutSetAnchorsGoesToTheOriginWithZeroSize) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<AnchoredForm>();
    tessaly::AnchorObjectList anchors;
    auto entry = anchors.Item(form->txtMain);
    EXPECT_EQ(entry->Y().AnchorType, 0);
    anchors.SetForm(form.get());
    form->SetWidth(7000);
    EXPECT_EQ(form->txtMain.Left(), 0);
    EXPECT_EQ(form->txtMain.Width(), 0);
    EXPECT_EQ(form->txtMain.Height(), 0);
}

TEST(AnchorObjectList, ControlsInAFramePlaceAgainstItsNewSizeOnlyWhenTheFrameCameFirst) {
    for (bool frameFirst : {true, false}) {
        platform::ScopedHeadlessUi ui;
        auto form = std::make_shared<AnchoredForm>();
        tessaly::AnchorObjectList anchors;
        if (frameFirst) anchors.Item(form->cpFrame)->SetAnchors(3, 3);
        anchors.Item(form->cmdInner)->SetAnchors(5, 5);
        if (!frameFirst) anchors.Item(form->cpFrame)->SetAnchors(3, 3);
        anchors.SetForm(form.get());
        form->SetSize(7000, 7000);
        EXPECT_EQ(form->cpFrame.Width(), 4000);
        // 1000 from the frame's right edge: against 4000 when the frame moved first.
        EXPECT_EQ(form->cmdInner.Left(), frameFirst ? 3000 : 2000) << "frame first " << frameFirst;
        form->SetSize(8000, 8000);
        EXPECT_EQ(form->cmdInner.Left(), frameFirst ? 4000 : 3000) << "frame first " << frameFirst;
    }
}

TEST(AnchorObjectList, FollowsOnlyTheFormLastSet) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<AnchoredForm>();
    auto other = std::make_shared<AnchoredForm>();
    tessaly::AnchorObjectList anchors;
    anchors.Item(form->cmdCorner)->SetAnchors(5, 5);
    anchors.SetForm(other.get());
    anchors.SetForm(form.get());
    EXPECT_EQ(anchors.Form(), form.get());
    other->SetWidth(9000);
    EXPECT_EQ(form->cmdCorner.Left(), 4500);
    anchors.SetForm(nullptr);
    form->SetWidth(9000);
    EXPECT_EQ(form->cmdCorner.Left(), 4500);
    anchors.DoAnchors();
    EXPECT_EQ(form->cmdCorner.Left(), 7500);
}

TEST(AnchorObjectList, SetAnchorsOfTheListMakesEveryEntryScale) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<AnchoredForm>();
    tessaly::AnchorObjectList anchors;
    anchors.Item(form->txtMain)->SetAnchors(5, 2);
    anchors.Item(form->cmdCorner)->SetAnchors(2, 2);
    anchors.SetAnchors();
    anchors.SetForm(form.get());
    form->SetSize(12000, 3000);
    EXPECT_EQ(form->txtMain.Left(), 1200);
    EXPECT_EQ(form->txtMain.Height(), 600);
    EXPECT_EQ(form->cmdCorner.Left(), 9000);
    EXPECT_EQ(form->cmdCorner.Width(), 2000);
}

TEST(AnchorObjectList, CapturingAgainstAZeroSizedContainerFailsToTheCaller) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<AnchoredForm>();
    form->cpFrame.SetWidth(0);
    tessaly::AnchorObjectList anchors;
    auto entry = anchors.Item(form->cmdInner);
    EXPECT_THROW(entry->SetAnchors(0, 2), platform::ComError);
    EXPECT_NO_THROW(entry->SetAnchors(5, 2));
}

}  // namespace
