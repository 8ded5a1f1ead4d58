#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include "StatisticsTestSupport.h"
#include "platform/forms/MessageBox.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/statistics/TableLayerCollection.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace statstest {
namespace {

using tessaly::tessaly_ThemeIDDialog;

class ThemeIDDialogTest : public StatisticsTest {
protected:
    // A dialog given its three properties, as every caller does first; not loaded yet.
    std::shared_ptr<tessaly_ThemeIDDialog> Dialog(std::shared_ptr<tessaly::TableLayerCollection> candidates,
                                                  std::shared_ptr<platform::HostObject> preselected = nullptr) {
        auto dialog = std::make_shared<tessaly_ThemeIDDialog>();
        dialog->ArcApplication(app_);
        dialog->theTableLayers(std::move(candidates));
        dialog->theCurrentSelected(std::move(preselected));
        return dialog;
    }

    // Shows the dialog modally while `user` acts in it.
    void ShowWith(tessaly_ThemeIDDialog& dialog, std::function<void(tessaly_ThemeIDDialog&)> user) {
        ui_->WhenModal("tessaly_ThemeIDDialog", [user](platform::Form& form) {
            user(dynamic_cast<tessaly_ThemeIDDialog&>(form));
        });
        dialog.Show(platform::vbModal);
    }

    static std::vector<std::string> Lines(platform::ListBox& list) {
        std::vector<std::string> lines;
        for (int i = 0; i < list.ListCount(); ++i) lines.push_back(list.List(i));
        return lines;
    }
};

TEST_F(ThemeIDDialogTest, LoadingShowsTheCandidatesAndTheDefaults) {
    auto dialog = Dialog(Candidates({Wells(), Readings()}));
    EXPECT_FALSE(dialog->IsLoaded()) << "setting the properties does not load it";
    EXPECT_EQ(Lines(dialog->lbxTheme), (std::vector<std::string>{"Wells", "Readings"}));
    EXPECT_EQ(dialog->Caption(), "Calculate Statistics:");
    EXPECT_EQ(dialog->lbxTheme.ListIndex(), -1);
    EXPECT_EQ(dialog->lbxField.ListCount(), 0);
    EXPECT_EQ(dialog->txtNoData.Text(), "-9999");
    EXPECT_EQ(dialog->cbxDecPlaces.ListCount(), 7);
    EXPECT_EQ(dialog->cbxDecPlaces.Text(), "2");
    EXPECT_EQ(dialog->lblSelCount.Caption(), "0 of 0 selected...");
    EXPECT_TRUE(dialog->optAll.Value());
    EXPECT_FALSE(dialog->cmdOK.Enabled());
    EXPECT_FALSE(dialog->txtNoData.Enabled());
    EXPECT_FALSE(dialog->lblInstructions.Enabled());
}

TEST_F(ThemeIDDialogTest, ControlsCarryTheirCaptions) {
    auto dialog = Dialog(Candidates({}));
    struct Case {
        platform::CaptionedControl& control;
        const char* caption;
    };
    for (const Case& c : {Case{dialog->lblTheme, "Layers:"}, Case{dialog->lblField, "Numeric Fields:"},
                          Case{dialog->cpAllOrSel, " Calculate Statistics For "},
                          Case{dialog->optAll, "All features"}, Case{dialog->optSelected, "Only selected features"},
                          Case{dialog->cpIgnoreValues, "Ignore Values"}, Case{dialog->chkNoData, "Ignore"},
                          Case{dialog->lblInstructions, "(Separate multiple values by commas)"},
                          Case{dialog->lbl_cbxDecPlaces, "Number of Decimal Places ="},
                          Case{dialog->cmdOK, "OK"}, Case{dialog->cmdCancel, "Cancel"}}) {
        EXPECT_EQ(c.control.Caption(), c.caption);
    }
    std::vector<std::string> places;
    for (int i = 0; i < dialog->cbxDecPlaces.ListCount(); ++i) places.push_back(dialog->cbxDecPlaces.List(i));
    EXPECT_EQ(places, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6"}));
}

TEST_F(ThemeIDDialogTest, EmptyCollectionListsNothingAndLeavesOKDisabled) {
    auto dialog = Dialog(Candidates({}));
    EXPECT_EQ(dialog->lbxTheme.ListCount(), 0);
    EXPECT_FALSE(dialog->cmdOK.Enabled());
    ShowWith(*dialog, [](tessaly_ThemeIDDialog& d) {
        d.cmdOK.UserClick();  // disabled: nothing happens
        EXPECT_TRUE(d.IsVisible());
        d.cmdCancel.UserClick();
    });
    EXPECT_FALSE(dialog->ShouldContinue());
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(ThemeIDDialogTest, PreselectionIsTheVeryObjectAmongTheCandidates) {
    auto wells = Wells();
    auto gauges = Gauges();
    EXPECT_EQ(Dialog(Candidates({wells, gauges}), gauges)->lbxTheme.ListIndex(), 1);
    EXPECT_EQ(Dialog(Candidates({wells, gauges}), Gauges("Gauges"))->lbxTheme.ListIndex(), -1)
        << "another object over the same data is not among the candidates";
    EXPECT_EQ(Dialog(Candidates({wells}), gauges)->lbxField.ListCount(), 0);
}

TEST_F(ThemeIDDialogTest, FieldListShowsTheAliasesOfNumericVisibleFields) {
    auto gauges = Gauges();
    EXPECT_EQ(Lines(Dialog(Candidates({gauges}), gauges)->lbxField), (std::vector<std::string>{"LEVEL", "DEPTH"}))
        << "no FID, shape or text";

    gauges->FieldInfo(gauges->FindField("LEVEL"))->Alias("Water level");
    gauges->FieldInfo(gauges->FindField("DEPTH"))->Visible(false);
    EXPECT_EQ(Lines(Dialog(Candidates({gauges}), gauges)->lbxField), (std::vector<std::string>{"Water level"}));
}

TEST_F(ThemeIDDialogTest, FieldListEndsWithAReportPastItsThousandAndFirstField) {
    {
        GDALAllRegister();
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
        GDALDatasetUniquePtr dataset(driver->Create(Data("wide.gpkg").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        ASSERT_TRUE(dataset);
        OGRLayer* layer = dataset->CreateLayer("wide", nullptr, wkbNone, nullptr);
        ASSERT_NE(layer, nullptr);
        for (int i = 1; i <= 1002; ++i) {
            OGRFieldDefn field(("F" + std::to_string(i)).c_str(), OFTReal);
            ASSERT_EQ(layer->CreateField(&field), OGRERR_NONE);
        }
    }
    auto wide = platform::StandaloneTable::Open("Wide", Data("wide.gpkg"), "wide");
    ASSERT_TRUE(wide->Valid()) << wide->OpenError();
    auto dialog = Dialog(Candidates({wide}), wide);
    EXPECT_EQ(dialog->lbxField.ListCount(), 1001);
    EXPECT_EQ(dialog->lbxField.List(1000), "F1001");
    ASSERT_EQ(ui_->ErrorReports().size(), 1u);
    EXPECT_NE(ui_->ErrorReports()[0].find("\tlbxTheme_Click tessaly_ThemeIDDialog \r\n"), std::string::npos)
        << ui_->ErrorReports()[0];
    EXPECT_NE(ui_->ErrorReports()[0].find("\r\n\t9\r\n"), std::string::npos) << ui_->ErrorReports()[0];

    // The failed click leaves no layer chosen, so OK cannot pair this table's
    // fields with the layer chosen before.
    auto gauges = Gauges();
    auto mixed = Dialog(Candidates({gauges, wide}), gauges);
    ShowWith(*mixed, [](tessaly_ThemeIDDialog& d) {
        d.lbxField.UserClick(0);
        d.lbxTheme.UserClick(1);
        d.lbxField.UserClick(0);
        d.cmdOK.UserClick();
    });
    ASSERT_TRUE(mixed->ShouldContinue());
    EXPECT_EQ(mixed->StatisticsTable(), nullptr);
}

TEST_F(ThemeIDDialogTest, SelectedRecordsOptionFollowsTheSelection) {
    struct Case {
        std::vector<long long> ids;
        bool selectedChosen;
        const char* caption;
    };
    for (const Case& c : {Case{{}, false, "(0 of 6 records selected...)"},
                          Case{{1, 2, 3}, true, "(3 of 6 records selected...)"}}) {
        auto gauges = Gauges();
        Select(*gauges, c.ids);
        auto dialog = Dialog(Candidates({gauges}), gauges);
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(dialog->lblSelCount.Caption(), c.caption);
        EXPECT_EQ(dialog->optSelected.Value(), c.selectedChosen);
        EXPECT_EQ(dialog->optAll.Value(), !c.selectedChosen);
        EXPECT_EQ(dialog->optSelected.Enabled(), c.selectedChosen);
        EXPECT_EQ(dialog->lblSelCount.Enabled(), c.selectedChosen);
    }
}

TEST_F(ThemeIDDialogTest, ChoosingAnotherLayerClearsTheFieldsAndDisablesOK) {
    auto gauges = Gauges();
    Select(*gauges, {0});
    auto readings = Readings();
    auto dialog = Dialog(Candidates({gauges, readings}), gauges);
    ShowWith(*dialog, [](tessaly_ThemeIDDialog& d) {
        d.lbxField.UserClick(1);
        EXPECT_TRUE(d.cmdOK.Enabled());
        d.lbxTheme.UserClick(1);
        EXPECT_EQ(Lines(d.lbxField), (std::vector<std::string>{"FLOW"}));
        EXPECT_FALSE(d.cmdOK.Enabled());
        EXPECT_EQ(d.lblSelCount.Caption(), "(0 of 4 records selected...)");
        EXPECT_TRUE(d.optAll.Value()) << "the table has no selection";
        d.lbxField.UserClick(0);
        d.cmdOK.UserClick();
    });
    ASSERT_TRUE(dialog->ShouldContinue());
    EXPECT_EQ(dialog->StatisticsTable(), std::static_pointer_cast<platform::Table>(readings));
    EXPECT_EQ(dialog->StatisticsFieldIndices(), (std::vector<std::int32_t>{readings->FindField("FLOW")}));
    EXPECT_TRUE(dialog->DoAllRecords());
}

TEST_F(ThemeIDDialogTest, OKHandsBackTheChoicesInListOrder) {
    auto gauges = Gauges();
    Select(*gauges, {2});
    auto dialog = Dialog(Candidates({gauges}), gauges);
    ShowWith(*dialog, [](tessaly_ThemeIDDialog& d) {
        d.lbxField.UserClick(1);
        d.lbxField.UserClick(0);
        d.cbxDecPlaces.UserSelect(5);
        d.cmdOK.UserClick();
    });
    ASSERT_TRUE(dialog->ShouldContinue());
    EXPECT_FALSE(dialog->IsVisible());
    EXPECT_TRUE(dialog->IsLoaded()) << "hidden, so that the results can be read";
    EXPECT_EQ(dialog->StatisticsTable(), std::static_pointer_cast<platform::Table>(gauges));
    EXPECT_EQ(dialog->StatisticsFieldIndices(),
              (std::vector<std::int32_t>{gauges->FindField("LEVEL"), gauges->FindField("DEPTH")}));
    EXPECT_FALSE(dialog->DoAllRecords());
    EXPECT_FALSE(dialog->IgnoreValues());
    EXPECT_EQ(dialog->IgnoreValuesArray(), (std::vector<platform::Variant>{0.0}));
    EXPECT_EQ(dialog->NumberDecimalPlaces(), 5);
    EXPECT_EQ(dialog->ExcludeString(), "-9999");

    dialog->Unload();
    EXPECT_FALSE(dialog->ShouldContinue());
    EXPECT_EQ(dialog->StatisticsTable(), nullptr);
    EXPECT_TRUE(dialog->StatisticsFieldIndices().empty());
    EXPECT_EQ(dialog->ExcludeString(), "");
    EXPECT_EQ(dialog->NumberDecimalPlaces(), 0);
}

TEST_F(ThemeIDDialogTest, AnyClickInTheFieldListEnablesOKEvenWithNoFieldLeft) {
    auto gauges = Gauges();
    auto dialog = Dialog(Candidates({gauges}), gauges);
    ShowWith(*dialog, [](tessaly_ThemeIDDialog& d) {
        d.lbxField.UserClick(0);
        d.lbxField.UserClick(0);
        EXPECT_FALSE(d.lbxField.Selected(0));
        EXPECT_TRUE(d.cmdOK.Enabled());
        d.cmdOK.UserClick();
    });
    EXPECT_TRUE(dialog->ShouldContinue());
    EXPECT_TRUE(dialog->StatisticsFieldIndices().empty());
}

TEST_F(ThemeIDDialogTest, PrefilledIgnoreBoxEnablesTheValuesText) {
    for (int ticked : {1, 0}) {
        auto dialog = Dialog(Candidates({Gauges()}));
        dialog->txtNoData.SetText("0");
        dialog->chkNoData.SetValue(ticked);
        dialog->cbxDecPlaces.SetListIndex(4);
        EXPECT_EQ(dialog->txtNoData.Text(), "0");
        EXPECT_EQ(dialog->txtNoData.Enabled(), ticked == 1);
        EXPECT_EQ(dialog->lblInstructions.Enabled(), ticked == 1);
        EXPECT_EQ(dialog->cbxDecPlaces.Text(), "4");
    }
}

TEST_F(ThemeIDDialogTest, IgnoreValuesAreReadAsNumbers) {
    struct Case {
        const char* typed;
        std::vector<platform::Variant> values;  // integers as typed exact, other numbers as doubles
    };
    const auto whole = platform::Variant::LongLong;
    const Case cases[] = {
        {"-9999", {whole(-9999)}}, {" 5 ", {whole(5)}}, {"1, 2", {whole(1), whole(2)}}, {"1e3", {1000.0}},
        {"2.5,-0.125", {2.5, -0.125}}, {"+7 ,  8", {whole(7), whole(8)}}, {"1,2.0,", {whole(1), 2.0}},
        {"'3',4", {whole(3), whole(4)}}, {"9007199254740993, 9223372036854775808", {whole(9007199254740993), 0x1p63}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto gauges = Gauges();
        auto dialog = Dialog(Candidates({gauges}), gauges);
        const std::string typed = c.typed;
        ShowWith(*dialog, [&](tessaly_ThemeIDDialog& d) {
            d.lbxField.UserClick(0);
            d.chkNoData.UserClick();
            d.txtNoData.SetText(typed);
            d.cmdOK.UserClick();
        });
        ASSERT_TRUE(dialog->ShouldContinue());
        EXPECT_TRUE(dialog->IgnoreValues());
        EXPECT_EQ(dialog->IgnoreValuesArray(), c.values);
        EXPECT_EQ(dialog->ExcludeString(), typed);
        EXPECT_EQ(dialog->txtNoData.BackColor(), 0xFFFFFF);
    }
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(ThemeIDDialogTest, BadIgnoreValuesAreListedAndTheDialogStaysOpen) {
    struct Case {
        const char* typed;
        const char* listed;
    };
    const Case cases[] = {
        {"1, 2, abc", " --> abc\r\n"},
        {"", " --> \r\n"},
        {"1,,2", " --> \r\n"},
        {", ,", " --> , ,\r\n"},
        {",", " --> ,\r\n"},
        {"x, 3, 4y", " --> x\r\n --> 4y\r\n"},
        {"inf", " --> inf\r\n"},
        {"0x10", " --> 0x10\r\n"},
        {"1e999", " --> 1e999\r\n"},
        {"1,5e", " --> 5e\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto gauges = Gauges();
        auto dialog = Dialog(Candidates({gauges}), gauges);
        const std::string typed = c.typed;
        const std::size_t boxes = ui_->MessageBoxes().size();
        ShowWith(*dialog, [&](tessaly_ThemeIDDialog& d) {
            d.lbxField.UserClick(0);
            d.chkNoData.UserClick();
            d.txtNoData.SetText(typed);
            d.cmdOK.UserClick();
            EXPECT_TRUE(d.IsVisible());
            EXPECT_FALSE(d.ShouldContinue());
            EXPECT_EQ(d.txtNoData.BackColor(), 0xFFFF);
            EXPECT_TRUE(d.txtNoData.HasFocus());
            d.cmdCancel.UserClick();
        });
        ASSERT_EQ(ui_->MessageBoxes().size(), boxes + 1);
        const auto& box = ui_->MessageBoxes().back();
        EXPECT_EQ(box.text, "These values are not numbers!  Please re-enter the values you would like to ignore..."
                            "\r\n\r\n" + std::string(c.listed));
        EXPECT_EQ(box.style, platform::vbExclamation);
        EXPECT_EQ(box.title, "Problems with Ignore Values:");
    }
    EXPECT_TRUE(ui_->ErrorReports().empty());
}

TEST_F(ThemeIDDialogTest, UncheckedIgnoreBoxHandsBackTheTextUnchecked) {
    auto gauges = Gauges();
    auto dialog = Dialog(Candidates({gauges}), gauges);
    ShowWith(*dialog, [](tessaly_ThemeIDDialog& d) {
        d.lbxField.UserClick(0);
        d.txtNoData.SetText("abc");
        d.cmdOK.UserClick();
    });
    ASSERT_TRUE(dialog->ShouldContinue());
    EXPECT_FALSE(dialog->IgnoreValues());
    EXPECT_EQ(dialog->IgnoreValuesArray(), (std::vector<platform::Variant>{0.0}));
    EXPECT_EQ(dialog->ExcludeString(), "abc");
    EXPECT_TRUE(ui_->MessageBoxes().empty());
}

TEST_F(ThemeIDDialogTest, CancelHandsBackTheTextButNoChoices) {
    auto gauges = Gauges();
    auto dialog = Dialog(Candidates({gauges}), gauges);
    ShowWith(*dialog, [](tessaly_ThemeIDDialog& d) {
        d.lbxField.UserClick(0);
        d.chkNoData.UserClick();
        d.txtNoData.SetText("5, 6");
        d.cmdCancel.UserClick();
    });
    EXPECT_FALSE(dialog->ShouldContinue());
    EXPECT_EQ(dialog->ExcludeString(), "5, 6");
    EXPECT_EQ(dialog->StatisticsTable(), nullptr);
    EXPECT_TRUE(dialog->StatisticsFieldIndices().empty());
    EXPECT_FALSE(dialog->IgnoreValues());
    EXPECT_FALSE(dialog->DoAllRecords());
    EXPECT_EQ(dialog->NumberDecimalPlaces(), 0);
}

TEST_F(ThemeIDDialogTest, CloseBoxUnloadsTheDialogAsCancel) {
    auto gauges = Gauges();
    auto dialog = Dialog(Candidates({gauges}), gauges);
    ShowWith(*dialog, [](tessaly_ThemeIDDialog& d) {
        d.lbxField.UserClick(0);
        d.UserClose();
    });
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_FALSE(dialog->ShouldContinue());
    EXPECT_EQ(dialog->StatisticsTable(), nullptr);
}

}  // namespace
}  // namespace statstest
