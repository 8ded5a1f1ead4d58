#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "QtTestSupport.h"
#include "src/query_summary/frm_Tessaly_Summarize.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/resources/Bitmaps.h"
#include "src/statistics/TableLayerCollection.h"

namespace {

// The captions of the window's buttons, check boxes and options that do not
// fit their control.
std::vector<std::string> CutCaptions(QWidget& window) {
    std::vector<std::string> cut;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty()) continue;
        // A push button's size hint has a floor of its own; the text itself must fit.
        const bool push = qobject_cast<QPushButton*>(button) != nullptr;
        const int needed = push ? button->fontMetrics().horizontalAdvance(button->text()) + 8 : button->sizeHint().width();
        if (needed > button->width())
            cut.push_back(button->text().toStdString());
    }
    return cut;
}

}  // namespace

TEST(QueryAndSummarizeDialogs, EveryButtonCaptionFitsItsButton) {
    tessaly::LoadResPicture(120);
    ScopedQtUi ui;
    auto query = std::make_shared<tessaly::tessaly_ModQueryDialog>();
    std::vector<std::string> queryCut, summarizeCut;
    WhenIdle([&] {
        QWidget* window = ui->WindowOf(*query);
        ASSERT_NE(window, nullptr);
        queryCut = CutCaptions(*window);
        query->Hide();
    });
    query->Show(platform::vbModal);

    auto summarize = std::make_shared<tessaly::frm_Tessaly_Summarize>();
    summarize->theTableLayers(std::make_shared<tessaly::TableLayerCollection>());
    WhenIdle([&] {
        QWidget* window = ui->WindowOf(*summarize);
        ASSERT_NE(window, nullptr);
        summarizeCut = CutCaptions(*window);
        summarize->Hide();
    });
    summarize->Show(platform::vbModal);

    EXPECT_TRUE(queryCut.empty()) << queryCut.front();
    EXPECT_TRUE(summarizeCut.empty()) << summarizeCut.front();
}
