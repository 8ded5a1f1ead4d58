#include <gtest/gtest.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QLocale>
#include <QTemporaryDir>
#include <cmath>
#include <random>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTableView>
#include <QTreeWidget>
#include <memory>

#include "HostTestData.h"
#include "QtTestSupport.h"
#include "platform/data/QueryFilter.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/Application.h"
#include "platform/map/CatalogDialog.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/StatusBar.h"
#include "platform/map/SummarizeDialog.h"
#include "platform/map/TableWindow.h"
#include "platform/qt/CatalogFileDialogs.h"
#include "platform/qt/StatusProgress.h"
#include "platform/qt/SummarizeWindow.h"
#include "platform/qt/TableRowsModel.h"
#include "platform/qt/TableWindowWidget.h"

namespace {

using platform::qt::TableWindowWidget;

std::shared_ptr<platform::TableWindow> OpenTableWindow(const std::shared_ptr<platform::StandaloneTable>& table) {
    auto window = std::make_shared<platform::TableWindow>();
    window->StandaloneTable(table);
    window->Show(true);
    return window;
}

std::vector<int> SelectedRows(QTableView* view) {
    std::vector<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<long long> SelectedIds(platform::StandaloneTable& table) {
    const auto& ids = table.SelectionSet()->IDs();
    return {ids.begin(), ids.end()};
}

TEST(StatusBarProgress, ShowsTheMessageAndFollowsTheSteps) {
    ScopedQtHost host;
    platform::StatusBar bar;
    bar.ShowProgressBar("Gathering values from field [AGE] in people", 1, 4, 1, true);
    QProgressBar* progress = host->Progress().Progress();
    EXPECT_TRUE(progress->isVisibleTo(&host.MainWindow()));
    EXPECT_EQ(host->Progress().Message()->text(), "Gathering values from field [AGE] in people");
    EXPECT_EQ(progress->minimum(), 1);
    EXPECT_EQ(progress->maximum(), 4);
    EXPECT_EQ(progress->value(), 1);
    bar.StepProgressBar();
    bar.StepProgressBar();
    EXPECT_EQ(progress->value(), 3);
    bar.HideProgressBar();
    EXPECT_FALSE(progress->isVisibleTo(&host.MainWindow()));
}

TEST(StatusBarProgress, TheBarMovesOncePerPercentAndReachesTheEnd) {
    ScopedQtHost host;
    platform::StatusBar bar;
    bar.ShowProgressBar("Calculating", 1, 201, 1, true);
    QProgressBar* progress = host->Progress().Progress();
    int moves = 0;
    for (int step = 0; step < 200; ++step) {
        const int before = progress->value();
        bar.StepProgressBar();
        if (progress->value() != before) ++moves;
        EXPECT_EQ(progress->value() - 1, (step + 1) / 2 * 2) << "at step " << step + 1;
    }
    EXPECT_EQ(moves, 100);
    EXPECT_EQ(progress->value(), 201);
    bar.HideProgressBar();
}

TEST(StatusBarProgress, AMaximumBelowTheMinimumIsAnEmptyRange) {
    ScopedQtHost host;
    platform::StatusBar bar;
    bar.ShowProgressBar("Calculating", 1, -3, 1, true);
    EXPECT_EQ(host->Progress().Progress()->maximum(), 1);
    bar.HideProgressBar();
}

TEST(TableWindows, ShowTheRowsWithTheirAliasesAndHideInvisibleFields) {
    HostTestData data;
    ScopedQtHost host;
    auto people = platform::StandaloneTable::Open("people", data.People());
    const int town = people->FindField("TOWN");
    people->FieldInfo(people->FindField("AGE"))->Alias("Age in years");
    people->FieldInfo(town)->Visible(false);
    auto window = OpenTableWindow(people);
    TableWindowWidget* widget = host->WindowOf(*window);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->windowTitle(), "Attributes of people");
    QAbstractItemModel* rows = widget->View()->model();
    ASSERT_EQ(rows->rowCount(), 3);
    ASSERT_EQ(rows->columnCount(), 3);  // FID, NAME, AGE
    EXPECT_EQ(rows->headerData(2, Qt::Horizontal).toString(), "Age in years");
    EXPECT_EQ(rows->index(1, 1).data().toString(), "Bob");
    EXPECT_EQ(rows->index(2, 2).data().toString(), "61");
    window->Close();
}

TEST(TableWindows, ShowEveryNumberTypeByTheSameRuleInEveryLocale) {
    // Generated integers and doubles of every magnitude, as a dBASE table.
    QTemporaryDir folder;
    const std::string file = folder.filePath("numbers.dbf").toStdString();
    std::mt19937 random(22);
    std::vector<std::pair<int, double>> values;
    {
        GDALAllRegister();
        GDALDatasetUniquePtr dataset(
            GetGDALDriverManager()->GetDriverByName("ESRI Shapefile")->Create(file.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        OGRLayer* layer = dataset->CreateLayer("numbers", nullptr, wkbNone, nullptr);
        OGRFieldDefn whole("WHOLE", OFTInteger), real("REAL", OFTReal);
        real.SetPrecision(4);
        layer->CreateField(&whole);
        layer->CreateField(&real);
        for (int i = 0; i < 60; ++i) {
            values.emplace_back((static_cast<int>(random() % 1000000000) >> (3 * (i % 9))) * (i % 2 ? -1 : 1),
                                std::round(std::ldexp(random() / 4294967296.0, 3 * (i % 9)) * 1e4) / 1e4);
            OGRFeature feature(layer->GetLayerDefn());
            feature.SetField(0, values.back().first);
            feature.SetField(1, values.back().second);
            layer->CreateFeature(&feature);
        }
    }
    ScopedQtHost host;
    auto numbers = platform::StandaloneTable::Open("numbers", file);
    for (const char* name : {"C", "en_US", "de_DE", "fr_FR"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        auto window = OpenTableWindow(numbers);
        QAbstractItemModel* rows = host->WindowOf(*window)->View()->model();
        ASSERT_EQ(rows->rowCount(), static_cast<int>(values.size()));
        QLocale reading;
        reading.setNumberOptions(QLocale::RejectGroupSeparator);
        for (int row = 0; row < rows->rowCount(); ++row) {
            bool wholeRead = false, realRead = false;
            const QString wholeText = rows->index(row, 1).data().toString();
            const QString realText = rows->index(row, 2).data().toString();
            EXPECT_EQ(reading.toInt(wholeText, &wholeRead), values[row].first) << name << " " << wholeText.toStdString();
            EXPECT_DOUBLE_EQ(reading.toDouble(realText, &realRead), values[row].second) << name << " " << realText.toStdString();
            EXPECT_TRUE(wholeRead && realRead) << name << ": " << wholeText.toStdString() << ", " << realText.toStdString();
        }
        window->Close();
    }
    QLocale::setDefault(QLocale::c());
}

TEST(TableWindows, ShowTheSelectionWhenItIsAnnouncedAsChanged) {
    HostTestData data;
    ScopedQtHost host;
    auto people = platform::StandaloneTable::Open("people", data.People());
    auto window = OpenTableWindow(people);
    platform::QueryFilter older;
    older.WhereClause("AGE > 40");
    people->SelectRows(&older, platform::selectionresult::New, false);
    people->SelectionChanged();
    EXPECT_EQ(SelectedRows(host->WindowOf(*window)->View()), (std::vector<int>{1, 2}));
    window->Close();
}

TEST(TableWindows, RowsTheUserSelectsBecomeTheSelectionAndAreAnnounced) {
    HostTestData data;
    ScopedQtHost host;
    std::vector<const platform::HostObject*> announced;
    platform::qt::QtHostServices::Handlers handlers;
    handlers.selectionChanged = [&](const platform::HostObject& o) { announced.push_back(&o); };
    host->SetHandlers(handlers);
    auto people = platform::StandaloneTable::Open("people", data.People());
    auto window = OpenTableWindow(people);
    QTableView* view = host->WindowOf(*window)->View();
    view->selectRow(0);
    EXPECT_EQ(SelectedIds(*people), (std::vector<long long>{0}));
    view->selectionModel()->select(view->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(SelectedIds(*people), (std::vector<long long>{0, 2}));
    EXPECT_EQ(announced.size(), 2u);
    EXPECT_EQ(announced.back(), people.get());
    window->Close();
}

TEST(TableWindows, ASelectionBeyondTheRowsReadSoFarIsKeptAndShownWhenRead) {
    HostTestData data(1200);
    ScopedQtHost host;
    auto people = platform::StandaloneTable::Open("people", data.People());
    people->SelectionSet()->Add(1100);
    auto window = OpenTableWindow(people);
    TableWindowWidget* widget = host->WindowOf(*window);
    QTableView* view = widget->View();
    ASSERT_LT(view->model()->rowCount(), 1100);
    view->selectRow(0);
    EXPECT_EQ(SelectedIds(*people), (std::vector<long long>{0, 1100}));
    while (view->model()->canFetchMore({})) view->model()->fetchMore({});
    EXPECT_EQ(view->model()->rowCount(), 1203);
    EXPECT_EQ(SelectedRows(view), (std::vector<int>{0, 1100}));
    window->Close();
}

TEST(TableWindows, ReReadTheRowsWhenTheFilterChangedAndTheViewIsRefreshed) {
    HostTestData data;
    ScopedQtHost host;
    platform::Application application;
    auto people = platform::StandaloneTable::Open("people", data.People());
    auto window = OpenTableWindow(people);
    people->DefinitionExpression("TOWN = 'Oslo'");
    application.Document()->FocusMap()->Refresh();
    EXPECT_EQ(host->WindowOf(*window)->View()->model()->rowCount(), 2);
    window->Close();
}

TEST(TableWindows, ShowingAnOpenWindowAgainKeepsOneWindow) {
    HostTestData data;
    ScopedQtHost host;
    auto people = platform::StandaloneTable::Open("people", data.People());
    auto first = OpenTableWindow(people);
    auto second = OpenTableWindow(people);
    EXPECT_EQ(host->WindowOf(*second), nullptr);
    EXPECT_NE(host->WindowOf(*first), nullptr);
    first->Close();
}

TEST(TableWindows, TheUsersCloseClosesTheHostWindow) {
    HostTestData data;
    ScopedQtHost host;
    auto people = platform::StandaloneTable::Open("people", data.People());
    auto window = OpenTableWindow(people);
    host->WindowOf(*window)->close();
    EXPECT_FALSE(window->IsOpen());
    EXPECT_EQ(host->FindTableWindow(*people), nullptr);
    EXPECT_EQ(host->WindowOf(*window), nullptr);
}

TEST(HostCommands, GoToTheHostsHandler) {
    ScopedQtHost host;
    std::string ran;
    platform::qt::QtHostServices::Handlers handlers;
    handlers.hostCommand = [&](const std::string& uid) { ran = uid; };
    host->SetHandlers(handlers);
    platform::Host().ExecuteHostCommand("{E1F29C6B-4E6B-11D2-AE2C-080009EC732A}");
    EXPECT_EQ(ran, "{E1F29C6B-4E6B-11D2-AE2C-080009EC732A}");
}

QFileDialog* OpenFileDialog() { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }

TEST(CatalogDialogs, OpenOffersTheFilterAndGivesThePickedFiles) {
    HostTestData data;
    ScopedQtHost host;
    const std::string layerFile = data.File("towns.tlyr");
    QFile(QString::fromStdString(layerFile)).open(QIODevice::WriteOnly);
    platform::CatalogDialog dialog;
    dialog.Title("Please select the Layer references to add to 'QuickLoad.txt' file:");
    dialog.ButtonCaption("Add to QL...");
    dialog.AllowMultiSelect(true);
    dialog.StartingLocation(data.File("QuickLoad.txt"));
    dialog.ObjectFilter(std::make_shared<platform::LayerFileFilter>());
    QStringList filters;
    QString title;
    QString button;
    WhenIdle([&] {
        QFileDialog* files = OpenFileDialog();
        ASSERT_NE(files, nullptr);
        filters = files->nameFilters();
        title = files->windowTitle();
        button = files->labelText(QFileDialog::Accept);
        EXPECT_EQ(files->directory().absolutePath(), data.Folder());
        files->selectFile(QString::fromStdString(layerFile));
        static_cast<QDialog*>(files)->accept();
    });
    std::shared_ptr<platform::EnumCatalogObject> picked;
    ASSERT_TRUE(dialog.DoModalOpen(0, picked));
    EXPECT_EQ(picked->Next()->FullName(), layerFile);
    EXPECT_EQ(filters, (QStringList{"Layer files (*.tlyr)", "All files (*)"}));
    EXPECT_EQ(title, "Please select the Layer references to add to 'QuickLoad.txt' file:");
    EXPECT_EQ(button, "Add to QL...");
}

TEST(CatalogDialogs, ACancelledOpenPicksNothing) {
    ScopedQtHost host;
    platform::CatalogDialog dialog;
    dialog.ObjectFilter(std::make_shared<platform::TextFileFilter>());
    WhenIdle([] { OpenFileDialog()->reject(); });
    std::shared_ptr<platform::EnumCatalogObject> picked;
    EXPECT_FALSE(dialog.DoModalOpen(0, picked));
    EXPECT_EQ(picked, nullptr);
}

TEST(CatalogDialogs, SaveGivesTheFolderAndTheName) {
    HostTestData data;
    ScopedQtHost host;
    platform::CatalogDialog dialog;
    dialog.Title("Please specify where to save your Summary table:");
    dialog.StartingLocation(data.Folder().toStdString() + "/");
    dialog.Name("summary.dbf");
    dialog.ObjectFilter(std::make_shared<platform::OutputTableFilter>());
    QString proposed;
    WhenIdle([&] {
        QFileDialog* files = OpenFileDialog();
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->nameFilters().front(), "dBASE tables (*.dbf)");
        proposed = QFileInfo(files->selectedFiles().value(0)).fileName();
        files->selectFile("towns");
        static_cast<QDialog*>(files)->accept();
    });
    ASSERT_TRUE(dialog.DoModalSave(0));
    EXPECT_EQ(proposed, "summary.dbf");
    EXPECT_EQ(dialog.FinalLocation()->Path(), data.Folder().toStdString());
    EXPECT_EQ(dialog.Name(), "towns.dbf");
}

TEST(SummarizeDialog, WritesTheSummaryTableAndAddsItToTheFocusMap) {
    HostTestData data;
    ScopedQtHost host;
    auto application = std::make_shared<platform::Application>();
    auto people = platform::StandaloneTable::Open("people", data.People());
    application->Document()->FocusMap()->AddStandaloneTable(people);
    platform::SummarizeDialog dialog;
    dialog.Application(application);
    dialog.Table(people);
    dialog.Field(people->Fields()->Field(people->FindField("TOWN")));
    dialog.Flag(true);
    std::string summary;
    WhenIdle([&] {
        auto* window = dynamic_cast<platform::qt::SummarizeWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->CaseField()->currentText(), "TOWN");
        EXPECT_FALSE(window->SelectedOnly()->isEnabled());
        QTreeWidgetItem* age = window->Statistics()->findItems("AGE", Qt::MatchExactly).value(0);
        ASSERT_NE(age, nullptr);
        ASSERT_EQ(age->childCount(), 6);
        age->child(3)->setCheckState(0, Qt::Checked);  // Sum
        age->child(1)->setCheckState(0, Qt::Checked);  // Maximum
        summary = window->Summary();
        window->Output()->setText(QString::fromStdString(data.File("by_town")));
        window->accept();
    });
    dialog.DoModal(0);
    EXPECT_EQ(summary, "Maximum.AGE, Sum.AGE");
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(data.File("by_town.dbf"))));
    const auto& map = *application->Document()->FocusMap();
    ASSERT_EQ(map.StandaloneTableCount(), 2);
    auto added = map.StandaloneTable(1);
    EXPECT_EQ(added->Name(), "by_town");
    EXPECT_EQ(added->RowCount(nullptr), 2);
    EXPECT_GE(added->FindField("SUM_AGE"), 0);
}

TEST(SummarizeDialog, AnExistingOutputIsRefusedAndTheDialogStaysOpen) {
    HostTestData data;
    ScopedQtHost host;
    auto people = platform::StandaloneTable::Open("people", data.People());
    platform::SummarizeDialog dialog;
    dialog.Table(people);
    bool stayedOpen = false;
    QString message;
    WhenIdle([&] {
        auto* window = dynamic_cast<platform::qt::SummarizeWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        window->Statistics()->findItems("AGE", Qt::MatchExactly).value(0)->child(0)->setCheckState(0, Qt::Checked);
        window->Output()->setText(QString::fromStdString(data.People()));
        WhenIdle([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            message = box->text();
            box->accept();
        });
        window->accept();
        stayedOpen = window->isVisible();
        window->reject();
    });
    dialog.DoModal(0);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(message.contains("already exists"));
}

}  // namespace
