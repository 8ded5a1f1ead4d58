#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/forms/Forms.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/StringArray.h"
#include "src/core/ErrorHandling.h"
#include "src/quickload_media/frm_QLDelete.h"
#include "src/quickload_media/tessaly_MediaDialog.h"
#include "src/quickload_media/tessaly_QuickJumpDialog.h"

namespace qltest {
namespace {

using tessaly::tessaly_QuickJumpDialog;

platform::Control& Named(platform::Form& form, const std::string& name) {
    for (platform::Control* control : form.Controls())
        if (control->Name() == name) return *control;
    throw std::runtime_error("no control " + name);
}

struct Geometry {
    int left, top, width, height;
    friend bool operator==(const Geometry&, const Geometry&) = default;
};

Geometry Of(platform::Control& control) {
    return {control.Left(), control.Top(), control.Width(), control.Height()};
}

// How a control moves when its window grows by (dx, dy): each value is how
// much of dx (for left and width) or dy (top and height) it takes.
struct Follows {
    const char* control;
    int left, top, width, height;
};

struct LayoutCase {
    const char* name;
    std::function<std::shared_ptr<platform::Form>()> make;
    std::vector<Follows> controls;
};

TEST(QuickLoadFormsTest, ResizableDialogsKeepTheirControlsInPlace) {
    platform::ScopedHeadlessUi ui;
    const LayoutCase cases[] = {
        {"picker",
         [] { return std::make_shared<tessaly_QuickJumpDialog>(); },
         {{"cpSavedTypes", 0, 0, 1, 0},
          {"lbxList", 0, 0, 1, 1},
          {"cmdOK", 0, 1, 0, 0},
          {"cmdCancel", 0, 1, 0, 0},
          {"imgCornerBars", 1, 1, 0, 0},
          {"optViews", 0, 0, 0, 0}}},
        {"delete references",
         [] { return std::make_shared<tessaly::frm_QLDelete>(); },
         {{"lbxReferences", 0, 0, 1, 1},
          {"OKButton", 0, 1, 0, 0},
          {"CancelButton", 0, 1, 0, 0},
          {"imgCornerBars", 1, 1, 0, 0},
          {"lblInstructions", 0, 0, 0, 0}}},
        {"media viewer",
         [] { return std::make_shared<tessaly::tessaly_MediaDialog>(); },
         {{"lbxAll", 0, 0, 1, 1},
          {"cpOptions", 0, 1, 1, 0},
          {"cmdOK", 0, 1, 0, 0},
          {"cmdCancel", 0, 1, 0, 0},
          {"imgCornerBars", 1, 1, 0, 0},
          {"optPowerpoints", 0, 0, 0, 0}}},
    };
    constexpr int dx = 600, dy = 450;
    for (const LayoutCase& c : cases) {
        auto form = c.make();
        // Loading a dialog anchors its controls; the media dialog's load then
        // fails to read its (unset) list and reports that.
        form->Load();
        std::vector<Geometry> before;
        for (const Follows& f : c.controls) before.push_back(Of(Named(*form, f.control)));
        form->SetSize(form->Width() + dx, form->Height() + dy);
        for (std::size_t i = 0; i < c.controls.size(); ++i) {
            const Follows& f = c.controls[i];
            const Geometry expected{before[i].left + f.left * dx, before[i].top + f.top * dy,
                                    before[i].width + f.width * dx, before[i].height + f.height * dy};
            EXPECT_EQ(Of(Named(*form, f.control)), expected) << c.name << ": " << f.control;
        }
    }
}

TEST(QuickLoadFormsTest, ThePickerRestrictedToQueriesOffersNothingElse) {
    platform::ScopedHeadlessUi ui;
    auto names = [](std::vector<std::string> items) {
        auto array = std::make_shared<platform::StringArray>();
        for (auto& item : items) array->Add(std::move(item));
        return array;
    };
    auto picker = std::make_shared<tessaly_QuickJumpDialog>();
    picker->strMapFrames(names({"Layers"}));
    picker->strBookmarks(names({"Lake"}));
    picker->strQueries(names({"Big", "Wet"}));
    picker->strLayers(names({"Wells"}));
    EXPECT_FALSE(picker->IsLoaded()) << "setting the lists does not load it";
    picker->optQueries.SetValue(true);
    picker->optViews.SetEnabled(false);
    picker->optExtents.SetEnabled(false);
    picker->optLayers.SetEnabled(false);
    picker->optQueries_Click();

    ui->WhenModal("tessaly_QuickJumpDialog", [&](platform::Form& form) {
        auto& d = dynamic_cast<tessaly_QuickJumpDialog&>(form);
        d.optViews.UserClick();
        d.optLayers.UserClick();
        EXPECT_TRUE(d.optQueries.Value());
        EXPECT_EQ(d.lbxList.ListCount(), 2);
        d.cmdOK.UserClick();
        EXPECT_TRUE(d.IsVisible()) << "OK is disabled until a line is clicked";
        d.lbxList.UserClick(1);
        d.cmdOK.UserClick();
    });
    picker->Show(platform::vbModal);
    EXPECT_TRUE(picker->booShouldContinue());
    const int chosen = picker->lbxList.ListIndex();
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(picker->lbxList.List(chosen), "Wet");
}

TEST(QuickLoadFormsTest, AnOptionWhoseListWasNotSetIsReported) {
    platform::ScopedHeadlessUi ui;
    tessaly::ResetErrorHandling();
    auto picker = std::make_shared<tessaly_QuickJumpDialog>();
    picker->Load();  // chooses Data Frames, whose list is missing
    ASSERT_EQ(ui->ErrorReports().size(), 1u);
    EXPECT_NE(ui->ErrorReports()[0].find("\toptViews_Click tessaly_QuickJumpDialog \r\n"), std::string::npos)
        << ui->ErrorReports()[0];
    EXPECT_NE(ui->ErrorReports()[0].find("\t91\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qltest
