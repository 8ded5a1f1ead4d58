#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/com/ClassFactory.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "src/core/ErrorHandling.h"
#include "src/core/cmdAbout.h"
#include "src/core/frmAbout.h"

namespace tessaly {
namespace {

TEST(AboutCommand, ClickShowsTheAboutWindowModallyWithItsVersion) {
    platform::ScopedHeadlessUi ui;
    auto command = platform::ClassFactory<cmdAbout>::CreateObject();
    ASSERT_EQ(command->OnCreate(std::make_shared<platform::Application>()), platform::S_OK);
    std::string version;
    ui->WhenModal("frmAbout", [&](platform::Form& form) {
        auto& about = dynamic_cast<frmAbout&>(form);
        version = about.lblVersion.Caption();
        about.cmdOK.UserClick();
    });
    EXPECT_EQ(command->OnClick(), platform::S_OK);
    EXPECT_EQ(ui->ModalShows(), std::vector<std::string>{"frmAbout"});
    EXPECT_EQ(version, "Version 1.0.0");
    EXPECT_FALSE(TheAboutBox()->IsLoaded());
}

}  // namespace
}  // namespace tessaly
