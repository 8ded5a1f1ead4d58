// The library's forms as the Qt renderer draws them at their design size:
// every caption and text shows whole in its control, empty as the forms are
// created and with what they show at run time on a million rows, and Tab
// walks the controls in the order the form gives.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QWidget>
#include <climits>
#include <filesystem>
#include <fstream>
#include <map>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <unistd.h>
#include <ogrsf_frmts.h>

#include "QtTestSupport.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/VariantArray.h"
#include "src/core/frmAbout.h"
#include "src/core/frmReport.h"
#include "src/core/frmReport_modal.h"
#include "src/query_summary/frmSumHelp.h"
#include "src/query_summary/frm_Tessaly_Summarize.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/quickload_media/frm_InputQuery.h"
#include "src/quickload_media/frm_InputSpatialBookmark.h"
#include "src/quickload_media/frm_QLDelete.h"
#include "src/quickload_media/tessaly_MediaDialog.h"
#include "src/quickload_media/tessaly_QuickJumpDialog.h"
#include "src/resources/Bitmaps.h"
#include "src/statistics/TableLayerCollection.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace {

namespace fs = std::filesystem;

// Why a caption does not show whole in its widget, or "" when it does.
std::string CutOf(QWidget& widget) {
    const QFontMetrics metrics = widget.fontMetrics();
    const QSize size = widget.size();
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        if (label->text().isEmpty()) return {};
        // Lines wrap at the label's width; every line must stand within its height.
        const QRect area = label->contentsRect();
        const QRect needed = metrics.boundingRect(QRect(0, 0, area.width(), INT_MAX),
                                                  Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
        if (needed.width() > area.width() || needed.height() > area.height())
            return "needs " + std::to_string(needed.width()) + " x " + std::to_string(needed.height()) + " px, has " +
                   std::to_string(area.width()) + " x " + std::to_string(area.height());
        return {};
    }
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        const int needed = metrics.horizontalAdvance(line->text()), has = line->contentsRect().width() - 4;
        return needed > has ? "needs " + std::to_string(needed) + " px, has " + std::to_string(has) : "";
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(&widget)) {
        // No line of the text wraps at the box's width.
        const QFontMetrics textMetrics(text->document()->defaultFont());
        const int has = text->viewport()->width() - 2 * static_cast<int>(text->document()->documentMargin());
        for (const QString& line : text->toPlainText().split('\n')) {
            if (const int needed = textMetrics.horizontalAdvance(line); needed > has)
                return "\"" + line.toStdString() + "\" needs " + std::to_string(needed) + " px, has " + std::to_string(has);
        }
        return {};
    }
    auto* button = qobject_cast<QAbstractButton*>(&widget);
    if (button == nullptr || button->text().isEmpty()) return {};
    QSize needed = metrics.size(Qt::TextShowMnemonic, button->text());
    if (qobject_cast<QPushButton*>(button) != nullptr) {
        // The button's frame and a little air on each side.
        const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        needed += QSize(2 * frame + 6, 2 * frame);
        if (!button->icon().isNull()) needed.rwidth() += button->iconSize().width() + 4;
    } else {
        // A check box or an option: the indicator and its spacing before the text.
        needed.setWidth(button->sizeHint().width());
    }
    if (needed.width() > size.width() || needed.height() > size.height())
        return "needs " + std::to_string(needed.width()) + " x " + std::to_string(needed.height()) + " px, has " +
               std::to_string(size.width()) + " x " + std::to_string(size.height());
    return {};
}

struct FormCase {
    const char* name;
    std::function<std::shared_ptr<platform::Form>(const fs::path& folder)> make;
    friend void PrintTo(const FormCase& form, std::ostream* out) { *out << form.name; }
};

std::shared_ptr<tessaly::tessaly_MediaDialog> MediaDialog(const fs::path& folder) {
    const fs::path list = folder / "media_list.txt";
    std::ofstream(list) << "Lake photo:lake.png,1\r\n";
    auto dialog = std::make_shared<tessaly::tessaly_MediaDialog>();
    dialog->MediaFilename({list.string(), folder.string() + "/"});
    return dialog;
}

// A folder of the test's own under the temporary folder, removed at the end.
class TestFolder {
public:
    explicit TestFolder(const std::string& name) : path_(fs::path(testing::TempDir()) / ("form_layout_" + name)) {
        fs::create_directories(path_);
    }
    ~TestFolder() { fs::remove_all(path_); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// A form as its callers create it, before they show it.
template <class F>
std::shared_ptr<platform::Form> Created(const fs::path&) {
    return std::make_shared<F>();
}

// A dialog handed an empty list of layers and tables, as a document without any gives.
template <class F>
std::shared_ptr<platform::Form> WithoutCandidates(const fs::path&) {
    auto dialog = std::make_shared<F>();
    dialog->theTableLayers(std::make_shared<tessaly::TableLayerCollection>());
    return dialog;
}

// A layer of a million rows (VALUE 0 to 999,999), all but the first selected:
// the longest counts the forms show at run time. Written once for the program.
std::shared_ptr<platform::FeatureLayer> MillionRows() {
    static const TestFolder folder("million_" + std::to_string(::getpid()));
    static const std::shared_ptr<platform::FeatureLayer> layer = [] {
        const fs::path file = folder.Path() / "million.shp";
        GDALAllRegister();
        GDALDatasetUniquePtr dataset(GetGDALDriverManager()->GetDriverByName("ESRI Shapefile")
                                         ->Create(file.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        OGRLayer* rows = dataset->CreateLayer("million", nullptr, wkbPoint, nullptr);
        OGRFieldDefn value("VALUE", OFTInteger);
        rows->CreateField(&value);
        for (int i = 0; i < 1000000; ++i) {
            OGRFeature feature(rows->GetLayerDefn());
            feature.SetField(0, i);
            rows->CreateFeature(&feature);
        }
        dataset.reset();
        auto opened = platform::FeatureLayer::Open("A million rows", file.string());
        platform::ObjectIds all(999999);
        std::iota(all.begin(), all.end(), 1);
        opened->SelectionSet()->Combine(std::move(all), platform::selectionresult::New);
        return opened;
    }();
    return layer;
}

// A dialog of a layer or table handed the million rows, chosen.
template <class F>
std::shared_ptr<platform::Form> OnMillionRows(const fs::path&) {
    auto dialog = std::make_shared<F>();
    auto candidates = std::make_shared<tessaly::TableLayerCollection>();
    candidates->Add(MillionRows(), "0");
    dialog->theTableLayers(candidates);
    dialog->theCurrentSelected(MillionRows());
    return dialog;
}

std::shared_ptr<platform::Form> QueryBuilderOnMillionRows(const fs::path&) {
    auto dialog = std::make_shared<tessaly::tessaly_ModQueryDialog>();
    auto layers = std::make_shared<platform::VariantArray>();
    layers->Add(MillionRows());
    dialog->theLayerArray(layers);
    dialog->lbxThemes.AddItem(MillionRows()->Name());
    dialog->lbxThemes.SetListIndex(0);
    return dialog;
}

// The report window with a statistics report's lines, separators included.
template <class F>
std::shared_ptr<platform::Form> WithReport(const fs::path&) {
    auto report = std::make_shared<F>();
    const std::string rule(74, '-');
    report->txtReport.SetText(rule + "\r\nField:  VALUE\r\n" + rule + "\r\nCount:  999,999\r\n" + rule + "\r\n");
    return report;
}

const FormCase kForms[] = {
    {"frmAbout", Created<tessaly::frmAbout>},
    {"frmReport", Created<tessaly::frmReport>},
    {"frmReport_modal", Created<tessaly::frmReport_modal>},
    {"tessaly_ThemeIDDialog", WithoutCandidates<tessaly::tessaly_ThemeIDDialog>},
    {"tessaly_QuickJumpDialog", Created<tessaly::tessaly_QuickJumpDialog>},
    {"frm_InputSpatialBookmark", Created<tessaly::frm_InputSpatialBookmark>},
    {"frm_InputQuery", Created<tessaly::frm_InputQuery>},
    {"frm_QLDelete", Created<tessaly::frm_QLDelete>},
    {"tessaly_MediaDialog", [](const fs::path& folder) -> std::shared_ptr<platform::Form> { return MediaDialog(folder); }},
    {"tessaly_ModQueryDialog", Created<tessaly::tessaly_ModQueryDialog>},
    {"frm_Tessaly_Summarize", WithoutCandidates<tessaly::frm_Tessaly_Summarize>},
    {"frmSumHelp", Created<tessaly::frmSumHelp>},
    {"tessaly_ThemeIDDialog_MillionRows", OnMillionRows<tessaly::tessaly_ThemeIDDialog>},
    {"frm_Tessaly_Summarize_MillionRows", OnMillionRows<tessaly::frm_Tessaly_Summarize>},
    {"tessaly_ModQueryDialog_MillionRows", QueryBuilderOnMillionRows},
    {"frmReport_WithReport", WithReport<tessaly::frmReport>},
    {"frmReport_modal_WithReport", WithReport<tessaly::frmReport_modal>},
};

class CaptionFit : public testing::TestWithParam<FormCase> {};

TEST_P(CaptionFit, EveryCaptionOfTheFormShowsWholeInItsControl) {
    tessaly::LoadResPicture(120);
    const TestFolder folder(GetParam().name);
    ScopedQtUi ui;
    const std::shared_ptr<platform::Form> form = GetParam().make(folder.Path());
    form->Show(platform::vbModeless);
    platform::qt::FormView* view = ui->ViewOf(*form);
    ASSERT_NE(view, nullptr);

    std::vector<std::string> cut;
    for (platform::Control* control : form->Controls()) {
        QWidget* widget = view->WidgetOf(*control);
        if (widget == nullptr || !control->Visible()) continue;
        if (const std::string why = CutOf(*widget); !why.empty())
            cut.push_back(control->Name() + " \"" + widget->property("text").toString().toStdString() + "\": " + why);
    }
    form->Unload();

    std::string listed;
    for (const std::string& line : cut) listed += "\n  " + line;
    EXPECT_TRUE(cut.empty()) << "cut captions:" << listed;
}

INSTANTIATE_TEST_SUITE_P(EveryForm, CaptionFit, testing::ValuesIn(kForms),
                         [](const testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

TEST(FormTabOrder, TheMediaDialogGoesFromTheListToCancelAndOkThenDownEachColumnOfOptions) {
    const TestFolder folder("tab_order");
    ScopedQtUi ui;
    const auto dialog = MediaDialog(folder.Path());
    dialog->Show(platform::vbModeless);
    platform::qt::FormView* view = ui->ViewOf(*dialog);
    ASSERT_NE(view, nullptr);

    std::map<const QWidget*, std::string> controls;
    for (platform::Control* control : dialog->Controls())
        if (QWidget* widget = view->WidgetOf(*control)) controls[widget] = control->Name();
    std::vector<std::string> order;
    QWidget* const first = view->WidgetOf(dialog->lbxAll);
    ASSERT_NE(first, nullptr);
    QWidget* widget = first;
    do {
        const auto control = controls.find(widget);
        if (control != controls.end() && (widget->focusPolicy() & Qt::TabFocus) != 0) order.push_back(control->second);
        widget = widget->nextInFocusChain();
    } while (widget != nullptr && widget != first && order.size() <= controls.size());
    dialog->Unload();

    EXPECT_EQ(order, (std::vector<std::string>{"lbxAll", "cmdCancel", "cmdOK", "optAll", "optImages", "optMovies",
                                               "optWebsites", "optText", "optExcels", "optWords", "optPDFs",
                                               "optPowerpoints"}));
}

}  // namespace
