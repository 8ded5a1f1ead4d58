// Writes pictures of the desktop host as a user sees it with the sample lesson
// open: the main window with a table window, and each of the toolbar's windows
// (statistics setup and report, the query builder with a query applied,
// summarize, the QuickLoad picker, the media viewer, About). Each goes to
// $TESSALY_SCREENSHOTS/<name>.png, else to screenshots/ in the build folder
// (scripts/screenshot.sh runs only these tests).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QItemSelectionModel>
#include <QPainter>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "DesktopTestSupport.h"
#include "app/ContentsPanel.h"
#include "app/MainWindow.h"
#include "app/MapCanvas.h"
#include "platform/forms/Forms.h"
#include "platform/map/HostServices.h"
#include "platform/map/TableWindow.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtHostServices.h"
#include "platform/qt/TableWindowWidget.h"

namespace fs = std::filesystem;

namespace {

// A window in a picture, at its place on the picture's desktop.
struct Placed {
    QWidget* window;
    QPoint at;
};

// Top-level windows as the desktop would frame them, each with a title bar
// and a border, on a plain desktop just large enough for them.
QImage Desktop(const std::vector<Placed>& windows) {
    const int title = QFontMetrics(QApplication::font()).height() + 10;
    QRect area;
    for (const Placed& placed : windows)
        area |= QRect(placed.at - QPoint(1, title + 1), placed.window->size() + QSize(2, title + 2));
    area.adjust(-20, -20, 20, 20);
    QImage picture(area.size(), QImage::Format_RGB32);
    picture.fill(QColor(225, 228, 232));
    QPainter painter(&picture);
    painter.translate(-area.topLeft());
    for (const Placed& placed : windows) {
        const QImage content = placed.window->grab().toImage();
        const QPoint at = placed.at;
        const QRect frame(at.x() - 1, at.y() - title - 1, content.width() + 2, content.height() + title + 2);
        painter.fillRect(frame.adjusted(4, 4, 4, 4), QColor(0, 0, 0, 60));  // shadow
        painter.fillRect(frame, QColor(60, 90, 130));
        painter.setPen(Qt::white);
        painter.drawText(QRect(at.x() + 8, at.y() - title, content.width() - 16, title), Qt::AlignVCenter,
                         placed.window->windowTitle());
        painter.drawImage(at, content);
    }
    return picture;
}

void Save(const QImage& picture, const std::string& name) {
    const char* wanted = std::getenv("TESSALY_SCREENSHOTS");
    const fs::path folder = wanted ? fs::path(wanted) : fs::path(TESSALY_BIN_DIR) / ".." / "screenshots";
    fs::create_directories(folder);
    const fs::path path = folder / (name + ".png");
    ASSERT_TRUE(picture.save(QString::fromStdString(path.string())));
    std::printf("Screenshot written to %s\n", fs::weakly_canonical(path).c_str());
}

// The form a modal window of the toolbar shows.
platform::Form* FormOf(QWidget* window) {
    auto* view = dynamic_cast<platform::qt::FormView*>(window);
    return view == nullptr ? nullptr : view->ModelForm();
}

// A control of the form by its name, as the kind asked for.
template <class C>
C& Control(platform::Form& form, const std::string& name) {
    for (platform::Control* control : form.Controls())
        if (control->Name() == name)
            if (auto* wanted = dynamic_cast<C*>(control)) return *wanted;
    throw std::runtime_error("no control " + name + " on " + form.Name());
}

// Lets the windows draw, from inside a modal window's loop as well.
void Draw() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    Settle();
}

class DesktopScreenshot : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<desktop::MainWindow>(ServerLibrary());
        window_->resize(1180, 760);
        window_->show();
        ASSERT_TRUE(window_->OpenDocument(QString::fromStdString(lesson_.Document().string())));
        Settle();
        window_->Canvas()->FullExtent();
        Settle();
    }
    void TearDown() override { window_.reset(); }

    void Select(const QString& name) {
        ASSERT_TRUE(window_->Contents()->SelectByName(name)) << name.toStdString();
        Settle();
    }

    // Clicks the command; `act` runs with the form of the modal window it
    // brings up, and must close that window.
    void ClickWithModal(const std::string& progId, std::function<void(QWidget&, platform::Form&)> act) {
        bool acted = false;
        std::function<void()> poll;
        poll = [&] {
            QWidget* modal = QApplication::activeModalWidget();
            platform::Form* form = FormOf(modal);
            if (form == nullptr) {
                QTimer::singleShot(10, poll);
                return;
            }
            acted = true;
            Draw();
            try {
                act(*modal, *form);
            } catch (const std::exception& error) {
                ADD_FAILURE() << error.what();
                modal->close();
            }
        };
        QTimer::singleShot(0, poll);
        window_->CommandAction(progId)->trigger();
        Settle();
        EXPECT_TRUE(acted) << progId << " showed no window";
    }

    // The window over the main window, a little below its toolbars.
    std::vector<Placed> OverMainWindow(QWidget& window) const {
        return {{window_.get(), QPoint(0, 0)}, {&window, QPoint(window_->width() - window.width() - 60, 150)}};
    }

    LessonCopy lesson_{"screenshot"};
    std::unique_ptr<desktop::MainWindow> window_;
};

TEST_F(DesktopScreenshot, WritesTheMainWindowWithTheLessonAndAnOpenTable) {
    Select("Towns");
    window_->CommandAction("TessalyOpenTable.OpenTable")->trigger();
    Settle();
    const auto& open = platform::Host().OpenTableWindows();
    ASSERT_EQ(open.size(), 1u);
    QWidget* table = dynamic_cast<platform::qt::QtHostServices&>(platform::Host()).WindowOf(*open.front());
    ASSERT_NE(table, nullptr);
    // A few towns selected in the table, so the map shows its highlight.
    auto* view = static_cast<platform::qt::TableWindowWidget*>(table)->View();
    view->selectRow(1);
    for (int row : {4, 6})
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->resize(640, 250);
    Settle();
    Save(Desktop({{window_.get(), QPoint(0, 0)},
                  {table, QPoint(window_->width() - table->width() - 20, window_->height() - table->height() - 20)}}),
         "main-window");
}

TEST_F(DesktopScreenshot, WritesTheStatisticsSetupAndItsReport) {
    Select("Towns");
    ClickWithModal("TessalyOpenTable.cmdStats", [](QWidget& window, platform::Form& form) {
        auto& fields = Control<platform::ListBox>(form, "lbxField");
        for (int row = 0; row < std::min(2, fields.ListCount()); ++row) fields.UserClick(row);
        Draw();
        Save(Desktop({{&window, QPoint(0, 0)}}), "statistics-setup");
        Control<platform::CommandButton>(form, "cmdOK").UserClick();
    });
    QWidget* report = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowTitle() == "Statistics Report:") report = top;
    ASSERT_NE(report, nullptr);
    report->resize(560, 480);
    Settle();
    Save(Desktop(OverMainWindow(*report)), "statistics-report");
}

TEST_F(DesktopScreenshot, WritesTheQueryBuilderWithItsQueryAppliedOnTheMap) {
    Select("Towns");
    ClickWithModal("TessalyOpenTable.cmdSelByAttTessaly", [this](QWidget& window, platform::Form& form) {
        Control<platform::TextBox>(form, "txtQuery").UserType("\"POP2020\" > 5000");
        Control<platform::CommandButton>(form, "cmdNewSet").UserClick();
        Draw();
        Save(Desktop(OverMainWindow(window)), "query-builder");
        Control<platform::CommandButton>(form, "cmdCancel").UserClick();
    });
}

// A dialog pictured on its own: the item chosen in the contents first (if
// any), what the user does in it before the picture, and the button that closes it.
struct DialogPicture {
    const char* name;
    const char* progId;
    const char* contentsItem;
    std::function<void(platform::Form&)> prepare;
    const char* closeButton;
    friend void PrintTo(const DialogPicture& picture, std::ostream* out) { *out << picture.name; }
};

class DesktopDialogScreenshot : public DesktopScreenshot, public testing::WithParamInterface<DialogPicture> {};

TEST_P(DesktopDialogScreenshot, WritesTheDialogAsTheCommandShowsIt) {
    const DialogPicture& picture = GetParam();
    if (picture.contentsItem != nullptr) Select(picture.contentsItem);
    ClickWithModal(picture.progId, [&](QWidget& window, platform::Form& form) {
        if (picture.prepare) picture.prepare(form);
        Draw();
        Save(Desktop({{&window, QPoint(0, 0)}}), picture.name);
        Control<platform::CommandButton>(form, picture.closeButton).UserClick();
    });
}

const DialogPicture kDialogs[] = {
    {"summarize", "TessalyOpenTable.cmdSumTessaly", "Towns", nullptr, "cmdCancel"},
    {"quickload", "TessalyOpenTable.cmdQuickLoad", nullptr,
     [](platform::Form& form) {
         Control<platform::OptionButton>(form, "optExtents").UserClick();
         Control<platform::ListBox>(form, "lbxList").UserClick(0);
     },
     "cmdCancel"},
    {"media-viewer", "TessalyOpenTable.cmdMediaViewer", nullptr,
     [](platform::Form& form) { Control<platform::ListBox>(form, "lbxAll").UserClick(0); }, "cmdCancel"},
    {"about", "TessalyOpenTable.cmdAbout", nullptr, nullptr, "cmdOK"},
};

INSTANTIATE_TEST_SUITE_P(Toolbar, DesktopDialogScreenshot, testing::ValuesIn(kDialogs),
                         [](const testing::TestParamInfo<DialogPicture>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
