#include <gtest/gtest.h>

#include <memory>

#include "SampleForm.h"
#include "platform/forms/FormsError.h"
#include "platform/forms/HeadlessBackend.h"

using platform::ComError;

namespace {

TEST(FormLife, CreatedFormIsNotLoadedAndItsOwnFieldsDoNotLoadIt) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->unloadOnOK = true;
    EXPECT_EQ(form->cmdOK.Name(), "cmdOK");
    EXPECT_EQ(form->Name(), "frmSample");
    EXPECT_EQ(form->Controls().size(), 15u);
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(form->loads, 0);
}

TEST(FormLife, FirstTouchOfAnyControlPropertyLoadsOnce) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    EXPECT_EQ(form->lbxNames.ListCount(), 0);
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_FALSE(form->IsVisible());
    form->txtName.SetText("x");
    form->chkIgnore.Value();
    EXPECT_EQ(form->loads, 1);
    EXPECT_EQ(form->events.front(), "Form_Load");
}

TEST(FormLife, SettingAControlOnAnUnloadedFormLoadsItBeforeTheValueIsStored) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->txtName.SetText("set by the caller");
    EXPECT_EQ(form->loads, 1);
    EXPECT_EQ(form->txtName.Text(), "set by the caller");
}

TEST(FormLife, DesignLayoutRunsWithoutEventsAndBeforeFormLoad) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Load();
    EXPECT_EQ(form->events, (std::vector<std::string>{"Form_Load"}));
    EXPECT_TRUE(form->optA.Value());
    EXPECT_EQ(form->cbxPlaces.ListCount(), 3);
    EXPECT_EQ(form->Caption(), "Sample");
    EXPECT_EQ(form->Width(), 4000 + platform::kWindowChromeWidth);
    EXPECT_EQ(form->ScaleHeight(), 3000);
}

TEST(FormLife, HideKeepsStateAndUnloadRestoresTheDesignAtTheNextTouch) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Show();
    form->txtName.SetText("typed");
    form->lbxNames.AddItem("a");
    form->SetCaption("Changed");
    form->Hide();
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_FALSE(form->IsVisible());
    EXPECT_EQ(form->txtName.Text(), "typed");
    EXPECT_EQ(form->unloads, 0);

    form->Unload();
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(form->unloads, 1);
    EXPECT_EQ(form->loads, 1);

    EXPECT_EQ(form->txtName.Text(), "design text");
    EXPECT_EQ(form->lbxNames.ListCount(), 0);
    EXPECT_EQ(form->Caption(), "Sample");
    EXPECT_EQ(form->loads, 2);
}

TEST(FormLife, UnloadOfAnUnloadedFormDoesNothing) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Unload();
    EXPECT_EQ(form->unloads, 0);
    EXPECT_EQ(form->loads, 0);
}

TEST(FormLife, CloseBoxUnloads) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    ui->WhenModal("frmSample", [](platform::Form& f) { f.UserClose(); });
    form->Show(platform::vbModal);
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(form->unloads, 1);
}

TEST(FormLife, ResizeRunsFormResizeThenSubscribersOnlyWhenTheSizeChanges) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    int notified = 0;
    auto subscription = form->OnResize([&] {
        EXPECT_EQ(form->resizes, notified + 1);
        ++notified;
    });
    form->Load();
    EXPECT_EQ(notified, 0);
    form->SetWidth(6000);
    form->SetWidth(6000);
    form->SetHeight(5000);
    EXPECT_EQ(notified, 2);
    subscription.Reset();
    form->SetWidth(7000);
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(form->resizes, 3);
}

TEST(FormLife, FirstShowAfterALoadReportsTheSize) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Show();
    form->Hide();
    form->Show();
    EXPECT_EQ(form->resizes, 1);
}

TEST(FormLife, NegativeSizesAreRefusedWithInvalidPropertyValue) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    for (auto set : {+[](SampleForm& f) { f.cmdOK.SetWidth(-1); }, +[](SampleForm& f) { f.cmdOK.SetHeight(-15); },
                     +[](SampleForm& f) { f.SetWidth(-1); }}) {
        try {
            set(*form);
            FAIL() << "accepted a negative size";
        } catch (const ComError& e) {
            EXPECT_EQ(e.Number(), platform::formerr::InvalidPropertyValue);
            EXPECT_EQ(e.Description(), "Invalid property value");
        }
    }
    EXPECT_EQ(form->cmdOK.Width(), 1200);
    form->cmdOK.SetWidth(0);
    EXPECT_EQ(form->cmdOK.Width(), 0);
}

TEST(FormLife, ControlsOnTheFormHaveTheFormAsContainerAndFramesTheirOwn) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    EXPECT_EQ(form->cmdOK.Container(), form.get());
    EXPECT_EQ(form->optInner1.Container(), &form->cpGroup);
    EXPECT_EQ(form->optInner1.Container()->Width(), 2000);
    EXPECT_EQ(form->cmdOK.Container()->Height(), 3000 + platform::kWindowChromeHeight);
}

TEST(FormLife, SetFocusNeedsAShownEnabledControl) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    EXPECT_THROW(form->cmdOK.SetFocus(), ComError);
    form->Show();
    form->cmdOK.SetFocus();
    EXPECT_TRUE(form->cmdOK.HasFocus());
    EXPECT_EQ(form->ActiveControl(), &form->cmdOK);
    form->txtName.SetEnabled(false);
    EXPECT_THROW(form->txtName.SetFocus(), ComError);
    EXPECT_TRUE(form->cmdOK.HasFocus());
}

TEST(FormLife, ChangeWatchersHearCodeChanges) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    form->Load();
    std::vector<platform::Control*> changed;
    auto subscription = form->OnChanged([&](platform::Control* c) { changed.push_back(c); });
    form->lblTitle.SetCaption("Fields:");
    form->SetCaption("New");
    EXPECT_EQ(changed, (std::vector<platform::Control*>{&form->lblTitle, nullptr}));
}

}  // namespace
