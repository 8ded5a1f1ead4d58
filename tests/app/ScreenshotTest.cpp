// Writes a picture of the desktop host as a user sees it after opening the
// sample lesson and a layer's attribute table: the main window with the
// toolbars, the table of contents and the map, and the table window over it.
// The picture goes to $TESSALY_SCREENSHOT, else to screenshots/main-window.png
// in the build folder (scripts/screenshot.sh runs only this test).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QItemSelectionModel>
#include <QTableView>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>

#include "DesktopTestSupport.h"
#include "app/ContentsPanel.h"
#include "app/MainWindow.h"
#include "app/MapCanvas.h"
#include "platform/map/HostServices.h"
#include "platform/map/TableWindow.h"
#include "platform/qt/QtHostServices.h"
#include "platform/qt/TableWindowWidget.h"

namespace fs = std::filesystem;

namespace {

// A top-level window as the desktop would frame it: a title bar and a border.
void DrawFramed(QPainter& painter, QWidget& window, QPoint at) {
    const QImage content = window.grab().toImage();
    const int title = QFontMetrics(painter.font()).height() + 10;
    const QRect frame(at.x() - 1, at.y() - title - 1, content.width() + 2, content.height() + title + 2);
    painter.fillRect(frame.adjusted(4, 4, 4, 4), QColor(0, 0, 0, 60));  // shadow
    painter.fillRect(frame, QColor(60, 90, 130));
    painter.setPen(Qt::white);
    painter.drawText(QRect(at.x() + 8, at.y() - title, content.width() - 16, title), Qt::AlignVCenter,
                     window.windowTitle());
    painter.drawImage(at, content);
}

TEST(DesktopScreenshot, WritesTheMainWindowWithTheLessonAndAnOpenTable) {
    const LessonCopy lesson("screenshot");
    {
        desktop::MainWindow window(ServerLibrary());
        window.resize(1180, 760);
        window.show();
        ASSERT_TRUE(window.OpenDocument(QString::fromStdString(lesson.Document().string())));
        Settle();
        window.Canvas()->FullExtent();
        ASSERT_TRUE(window.Contents()->SelectByName("Towns"));
        Settle();
        window.CommandAction("TessalyOpenTable.OpenTable")->trigger();
        Settle();
        const auto& open = platform::Host().OpenTableWindows();
        ASSERT_EQ(open.size(), 1u);
        QWidget* table = dynamic_cast<platform::qt::QtHostServices&>(platform::Host()).WindowOf(*open.front());
        ASSERT_NE(table, nullptr);
        // A few towns selected in the table, so the map shows its highlight.
        auto* view = static_cast<platform::qt::TableWindowWidget*>(table)->View();
        view->selectRow(1);
        for (int row : {4, 6}) view->selectionModel()->select(view->model()->index(row, 0),
                                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        table->resize(640, 250);
        Settle();

        QImage picture(window.size() + QSize(40, 60), QImage::Format_RGB32);
        picture.fill(QColor(225, 228, 232));
        QPainter painter(&picture);
        DrawFramed(painter, window, QPoint(20, 40));
        DrawFramed(painter, *table, QPoint(picture.width() - table->width() - 40, picture.height() - table->height() - 40));
        painter.end();

        const char* wanted = std::getenv("TESSALY_SCREENSHOT");
        const fs::path path = wanted ? fs::path(wanted) : fs::path(TESSALY_BIN_DIR) / ".." / "screenshots" / "main-window.png";
        fs::create_directories(path.parent_path());
        ASSERT_TRUE(picture.save(QString::fromStdString(path.string())));
        std::printf("Screenshot written to %s\n", fs::weakly_canonical(path).c_str());
    }
}

}  // namespace
