#include <gtest/gtest.h>

#include <memory>

#include "SampleForm.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/forms/ModelessFrame.h"

namespace {

TEST(ModelessFrame, CreateLoadsTheFormAndTakesItsSizeInPixels) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    auto frame = std::make_shared<platform::ModelessFrame>();
    frame->Create(form);
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_EQ(frame->Width(), form->Width() / 15);
    EXPECT_EQ(frame->Height(), form->Height() / 15);
    EXPECT_EQ(form->HostFrame(), frame.get());
    EXPECT_EQ(frame->WrappedForm(), form.get());
}

TEST(ModelessFrame, VisibleShowsModelessAndHidesKeepingTheForm) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    auto frame = std::make_shared<platform::ModelessFrame>();
    frame->Create(form);
    frame->SetCaption("Report");
    frame->SetVisible(true);
    EXPECT_TRUE(form->IsVisible());
    EXPECT_FALSE(form->IsShownModally());
    EXPECT_EQ(ui->ModelessShows(), (std::vector<std::string>{"frmSample"}));
    frame->UserClose();
    EXPECT_FALSE(frame->Visible());
    EXPECT_FALSE(form->IsVisible());
    EXPECT_TRUE(form->IsLoaded());
}

TEST(ModelessFrame, SettingItsSizeResizesTheForm) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    auto frame = std::make_shared<platform::ModelessFrame>();
    frame->Create(form);
    const int before = form->resizes;
    frame->SetWidth(400);
    frame->SetHeight(300);
    EXPECT_EQ(form->Width(), 6000);
    EXPECT_EQ(form->Height(), 4500);
    EXPECT_EQ(form->resizes, before + 2);
}

TEST(ModelessFrame, AVisibleFrameKeepsItsFormAliveUntilTheUserClosesIt) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    auto frame = std::make_shared<platform::ModelessFrame>();
    frame->Create(form);
    frame->SetVisible(true);
    std::weak_ptr<SampleForm> watch = form;
    form.reset();
    EXPECT_FALSE(watch.expired());
    frame->UserClose();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(frame->WrappedForm(), nullptr);
}

}  // namespace

namespace {

TEST(ModelessFrame, AFormThatUnloadsItselfLeavesItsFrameHiddenAndLetsGo) {
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<SampleForm>();
    auto frame = std::make_shared<platform::ModelessFrame>();
    frame->Create(form);
    frame->SetVisible(true);
    std::weak_ptr<SampleForm> watch = form;
    form->Unload();
    EXPECT_FALSE(frame->Visible());
    form.reset();
    EXPECT_TRUE(watch.expired());
}

TEST(ModelessFrame, AFormOwningItsFrameEndsCleanlyWhenTheUserClosesIt) {
    struct Owner : SampleForm {
        std::shared_ptr<platform::ModelessFrame> frame;
    };
    platform::ScopedHeadlessUi ui;
    auto form = std::make_shared<Owner>();
    form->frame = std::make_shared<platform::ModelessFrame>();
    form->frame->Create(form);
    form->frame->SetVisible(true);
    std::weak_ptr<Owner> watch = form;
    platform::ModelessFrame* frame = form->frame.get();
    form.reset();
    ASSERT_FALSE(watch.expired());
    frame->UserClose();
    EXPECT_TRUE(watch.expired());
}

}  // namespace
