#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ServerTestSupport.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "platform/map/ICommand.h"
#include "platform/map/IToolBarDef.h"
#include "platform/map/Map.h"
#include "src/core/ClassInfo.h"
#include "src/core/CommandTable.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

using platform::ICommand;
using servertest::Create;
using servertest::Read;

class CommandFailureTest : public ::testing::Test {
protected:
    ~CommandFailureTest() override { ResetErrorHandling(); }

    // The report's location line and error number, or "" when none was shown.
    std::string LastReport() const { return ui_->ErrorReports().empty() ? "" : ui_->ErrorReports().back(); }

    platform::ScopedHeadlessUi ui_;
};

std::string ReportOf(const std::string& location, int number) {
    return "Record Call Stack Sequence - Bottom line is error line.\r\n\r\n\t" + location + "\r\n\r\nError Number \r\n\t" +
           std::to_string(number) + "\r\n";
}

TEST_F(CommandFailureTest, EnabledWithoutADocumentIsReportedUnderItsOwnNameAndAnswersFalse) {
    for (const ClassInfo* info : {&info::cmdStats, &info::OpenTable, &info::cmdSelectAll, &info::cmdSumTessaly}) {
        SCOPED_TRACE(info->progId);
        auto command = Create<ICommand>(*info);  // OnCreate never ran: no document
        bool enabled = true;
        EXPECT_EQ(command->Enabled(&enabled), platform::S_OK);
        EXPECT_FALSE(enabled);
        EXPECT_EQ(LastReport().rfind(ReportOf(std::string("ICommand_Enabled ") + info->module + " ", 91), 0), 0u)
            << LastReport();
    }
    EXPECT_EQ(ui_->ErrorReports().size(), 4u) << "each refresh reports again";
}

TEST_F(CommandFailureTest, CommandsEnabledAlwaysNeedNoDocument) {
    for (const ClassInfo* info : {&info::cmdAbout, &info::cmdQuickLoad, &info::cmdMediaViewer, &info::cmdQLDelete}) {
        auto command = Create<ICommand>(*info);
        EXPECT_TRUE(Read(*command, &ICommand::Enabled)) << info->progId;
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(CommandFailureTest, SelectByGraphicLeavesItsFailureToTheHost) {
    auto command = Create<ICommand>(info::cmdSelByGraphic);
    bool enabled = true;
    EXPECT_TRUE(platform::FAILED(command->Enabled(&enabled)));
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(platform::FAILED(command->OnClick()));
    EXPECT_TRUE(ui_->ErrorReports().empty());
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(CommandFailureTest, OnCreateReportsAHookThatIsNoApplication) {
    auto command = Create<ICommand>(info::cmdAbout);
    EXPECT_EQ(command->OnCreate(std::make_shared<platform::Map>()), platform::S_OK);
    EXPECT_EQ(LastReport().rfind(ReportOf("ICommand_OnCreate cmdAbout ", 13), 0), 0u) << LastReport();
    EXPECT_EQ(command->OnCreate(nullptr), platform::S_OK);
    EXPECT_EQ(LastReport().rfind(ReportOf("ICommand_OnCreate cmdAbout ", 91), 0), 0u) << LastReport();
}

TEST_F(CommandFailureTest, GetPathWithoutAnApplicationReportsAndTellsNothing) {
    auto command = Create<ICommand>(info::cmdQLAddQuery);
    platform::ComPtr<PathInterface<info::cmdQLAddQuery>> path = command.As<PathInterface<info::cmdQLAddQuery>>();
    ASSERT_TRUE(path);
    std::string told = "unchanged";
    EXPECT_EQ(path->GetPath(&told), platform::S_OK);
    EXPECT_EQ(told, "");
    EXPECT_EQ(LastReport().rfind(ReportOf("GetPath cmdQLAddQuery ", 91), 0), 0u) << LastReport();
}

TEST_F(CommandFailureTest, GetPathOfAnUnsavedDocumentIsTheLastTemplate) {
    auto app = std::make_shared<platform::Application>();
    auto command = Create<ICommand>(info::cmdMediaViewer);
    ASSERT_EQ(command->OnCreate(app), platform::S_OK);
    std::string told;
    EXPECT_EQ(command.As<PathInterface<info::cmdMediaViewer>>()->GetPath(&told), platform::S_OK);
    EXPECT_EQ(told, app->Templates()->Item(app->Templates()->Count() - 1));
}

TEST_F(CommandFailureTest, MembersRefuseAMissingOutParameter) {
    auto command = Create<ICommand>(info::cmdAbout);
    EXPECT_EQ(command->Enabled(nullptr), platform::E_POINTER);
    EXPECT_EQ(command->Name(nullptr), platform::E_POINTER);
    EXPECT_EQ(command->Bitmap(nullptr), platform::E_POINTER);
    auto toolbar = Create<platform::IToolBarDef>(info::toolBarTessaly);
    EXPECT_EQ(toolbar->ItemCount(nullptr), platform::E_POINTER);
}

TEST_F(CommandFailureTest, AClassTheLibraryDoesNotHaveIsNotAvailable) {
    platform::ComPtr<platform::IClassFactory> factory;
    EXPECT_EQ(DllGetClassObject(platform::MakeGuid("{00000000-1111-2222-3333-444444444444}"),
                                platform::IClassFactory::Iid, factory.PutVoid()),
              platform::CLASS_E_CLASSNOTAVAILABLE);
    auto command = Create<ICommand>(info::cmdAbout);
    platform::ComPtr<platform::IToolBarDef> notAToolbar;
    EXPECT_EQ(command->QueryInterface(platform::IToolBarDef::Iid, notAToolbar.PutVoid()), platform::E_NOINTERFACE);
}

}  // namespace
}  // namespace tessaly
