// The desktop host end to end: the real main window on the offscreen platform,
// the toolbar library registered into a temporary registry and loaded from the
// build's bin folder, the sample lesson opened from a copy.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "DesktopTestSupport.h"
#include "tests/support/TrialTable.h"
#include "tests/support/WhereCorpus.h"
#include "app/ContentsPanel.h"
#include "app/CustomizeMenu.h"
#include "app/MainWindow.h"
#include "app/MapCanvas.h"
#include "app/SelectByAttributesWindow.h"
#include "app/SelectByLocationWindow.h"
#include "app/StatusPanel.h"
#include "app/StatisticsWindow.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ServerLoader.h"
#include "platform/data/SelectionSet.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Graphics.h"
#include "platform/map/HostServices.h"
#include "platform/map/ICommand.h"
#include "platform/map/ItemSet.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/MapDocument.h"
#include "platform/map/TableWindow.h"
#include "platform/qt/QtHostServices.h"
#include "platform/qt/TableRowsModel.h"
#include "platform/qt/TableWindowWidget.h"

namespace fs = std::filesystem;

namespace {

// Closes the next modal box that comes up (the host's warnings), as a user's Escape would.
void DismissNextModal() {
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        else DismissNextModal();
    });
}

// Closes the next message box that comes up and keeps its text.
void DismissNextMessage(const std::shared_ptr<QString>& text) {
    QTimer::singleShot(0, [text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            box->close();
        } else {
            DismissNextMessage(text);
        }
    });
}

// A copy of the lesson and a registry of its own, for each test.
class DesktopHost : public ::testing::Test {
protected:
    void TearDown() override { window_.reset(); }

    desktop::MainWindow& OpenLesson() {
        window_ = std::make_unique<desktop::MainWindow>(ServerLibrary());
        window_->show();
        EXPECT_TRUE(window_->LoadProblems().isEmpty()) << window_->LoadProblems().toStdString();
        EXPECT_TRUE(window_->OpenDocument(QString::fromStdString(lesson_.Document().string())));
        Settle();
        return *window_;
    }

    const std::shared_ptr<platform::MapDocument>& Document() const { return window_->Application()->Document(); }

    std::shared_ptr<platform::FeatureLayer> Layer(const std::string& name) const {
        const auto layers = Document()->FocusMap()->Layers(nullptr, true);
        for (auto layer = layers->Next(); layer; layer = layers->Next())
            if (layer->Name() == name) return std::dynamic_pointer_cast<platform::FeatureLayer>(layer);
        return nullptr;
    }

    static std::int64_t Selected(const std::shared_ptr<platform::FeatureLayer>& layer) {
        return layer->SelectionSet()->Count();
    }

    QToolBar& TessalyTools() const {
        EXPECT_EQ(window_->CommandToolBars().size(), 1u);
        return *window_->CommandToolBars().front();
    }

    // A click on the command's button on the "Tessaly Tools" toolbar.
    void ClickToolbar(const std::string& progId) {
        QAction* action = window_->CommandAction(progId);
        ASSERT_NE(action, nullptr) << progId;
        QWidget* button = TessalyTools().widgetForAction(action);
        ASSERT_NE(button, nullptr) << progId << " is not on the toolbar";
        ASSERT_TRUE(button->isEnabled()) << progId << " is disabled";
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }

    // A click on the command's entry in its category's submenu of the Customize menu.
    void ClickCustomize(const std::string& progId) {
        QAction* action = window_->CommandAction(progId);
        ASSERT_NE(action, nullptr) << progId;
        for (QAction* entry : window_->Customize()->actions()) {
            QMenu* category = entry->menu();
            if (!category || !category->actions().contains(action)) continue;
            category->popup(window_->geometry().center());
            Settle();
            QTest::mouseClick(category, Qt::LeftButton, {}, category->actionGeometry(action).center());
            Settle();
            return;
        }
        FAIL() << progId << " is in no category";
    }

    void SelectInContents(const QString& name, bool add = false) {
        ASSERT_TRUE(window_->Contents()->SelectByName(name, add)) << name.toStdString();
        Settle();
    }

    platform::qt::TableWindowWidget* OpenTableWidget() const {
        const auto& open = platform::Host().OpenTableWindows();
        if (open.size() != 1) return nullptr;
        return dynamic_cast<platform::qt::QtHostServices&>(platform::Host()).WindowOf(*open.front());
    }

    // The pixel of the map view where a map coordinate is drawn.
    QPoint PixelOf(double x, double y) const {
        const auto bounds = window_->Canvas()->VisibleBounds();
        const QSize size = window_->Canvas()->size();
        return QPoint(static_cast<int>((x - bounds.XMin()) / bounds.Width() * size.width()),
                      static_cast<int>((bounds.YMax() - y) / bounds.Height() * size.height()));
    }

    LessonCopy lesson_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::unique_ptr<desktop::MainWindow> window_;
};

TEST_F(DesktopHost, RegistersTheLibraryWhenItIsNotRegisteredAndBuildsTheToolbarFromIt) {
    platform::CLSID clsid{};
    ASSERT_NE(platform::CLSIDFromProgID("TessalyOpenTable.toolBarTessaly", &clsid), platform::S_OK);
    OpenLesson();
    EXPECT_EQ(platform::CLSIDFromProgID("TessalyOpenTable.toolBarTessaly", &clsid), platform::S_OK);

    QToolBar& bar = TessalyTools();
    EXPECT_EQ(bar.windowTitle(), "Tessaly Tools");
    int commands = 0, separators = 0;
    for (QAction* action : bar.actions()) {
        if (action->isSeparator()) {
            ++separators;
            continue;
        }
        ++commands;
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
        EXPECT_FALSE(action->toolTip().isEmpty());
    }
    EXPECT_EQ(commands, 12);
    EXPECT_EQ(separators, 4);  // group breaks before positions 5, 8, 10 and 11
    EXPECT_EQ(bar.actions().at(0)->objectName(), "TessalyOpenTable.OpenTable");
}

TEST_F(DesktopHost, CustomizeMenuListsEveryCommandByItsCategory) {
    OpenLesson();
    QStringList categories;
    int commands = 0;
    for (QAction* entry : window_->Customize()->actions()) {
        ASSERT_NE(entry->menu(), nullptr);
        categories << entry->text();
        commands += static_cast<int>(entry->menu()->actions().size());
    }
    EXPECT_EQ(categories, QStringList({"Tessaly Commands", "Tessaly QL Commands"}));
    EXPECT_EQ(commands, 20);
}

TEST_F(DesktopHost, EveryCommandShowsItsTooltipAndWhilePointedAtItsMessageInTheStatusBar) {
    OpenLesson();
    // A layer chosen in the contents and its features selected enable every
    // command (a menu shows nothing for a disabled entry under the pointer).
    SelectInContents("Towns");
    window_->CommandAction("TessalyOpenTable.cmdSelectAll")->trigger();
    Settle();
    EXPECT_EQ(window_->CommandAction("TessalyOpenTable.OpenTable")->toolTip(), "Open Attribute Table");
    int commands = 0;
    for (QAction* entry : window_->Customize()->actions()) {
        QMenu* category = entry->menu();
        ASSERT_NE(category, nullptr);
        for (QAction* action : category->actions()) {
            ++commands;
            const std::string progId = action->objectName().toStdString();
            platform::ComPtr<platform::IUnknown> object;
            ASSERT_EQ(platform::CreateInstanceByProgID(progId, platform::IUnknown::Iid, object.PutVoid()),
                      platform::S_OK);
            const auto command = object.As<platform::ICommand>();
            ASSERT_TRUE(command) << progId;
            std::string tooltip, message;
            command->Tooltip(&tooltip);
            command->Message(&message);
            EXPECT_EQ(action->toolTip().toStdString(), tooltip) << progId;

            window_->Status()->clearMessage();
            if (QWidget* button = TessalyTools().widgetForAction(action)) {
                QTest::mouseMove(button);
            } else {
                category->popup(window_->geometry().center());
                Settle();
                QTest::mouseMove(category, category->actionGeometry(action).center());
            }
            Settle();
            EXPECT_EQ(window_->Status()->currentMessage().toStdString(), message) << progId;
            category->hide();
            QTest::mouseMove(window_->Canvas());
            Settle();
        }
    }
    EXPECT_EQ(commands, 20);
}

TEST_F(DesktopHost, OpenTableOnTheToolbarAndSelectAllInItsCategoryShowTheRowsAndTheirSelection) {
    OpenLesson();
    QAction* openTable = window_->CommandAction("TessalyOpenTable.OpenTable");
    ASSERT_NE(openTable, nullptr);
    EXPECT_FALSE(openTable->isEnabled()) << "nothing is selected in the table of contents yet";

    SelectInContents("Towns");
    EXPECT_EQ(Document()->SelectedItem(), Layer("Towns"));
    EXPECT_TRUE(openTable->isEnabled());

    ClickToolbar("TessalyOpenTable.OpenTable");
    platform::qt::TableWindowWidget* table = OpenTableWidget();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(table->Target(), Layer("Towns"));
    EXPECT_EQ(table->Rows()->rowCount(), 8);
    EXPECT_TRUE(table->View()->selectionModel()->selectedRows().isEmpty());

    ClickCustomize("TessalyOpenTable.cmdSelectAll");
    EXPECT_EQ(Selected(Layer("Towns")), 8);
    EXPECT_EQ(table->View()->selectionModel()->selectedRows().size(), 8);
    EXPECT_EQ(Selected(Layer("Land Use")), 0) << "only the layer selected in the table of contents";
}

TEST_F(DesktopHost, SeveralLayersSelectedInTheContentsAreOneItemSet) {
    OpenLesson();
    SelectInContents("Towns");
    SelectInContents("Rivers", true);
    const auto set = std::dynamic_pointer_cast<platform::ItemSet>(Document()->SelectedItem());
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->Count(), 2);

    ClickCustomize("TessalyOpenTable.cmdSelectAll");
    EXPECT_EQ(Selected(Layer("Towns")), 8);
    EXPECT_EQ(Selected(Layer("Rivers")), 6);
}

TEST_F(DesktopHost, TheSourceViewHasItsOwnSelectionAndListsTheStandaloneTable) {
    OpenLesson();
    window_->Contents()->setCurrentIndex(1);
    Settle();
    EXPECT_EQ(Document()->CurrentContentsView()->Name(), "Source");
    EXPECT_EQ(Document()->SelectedItem(), nullptr);
    SelectInContents("Annual Rainfall");
    ASSERT_NE(Document()->SelectedItem(), nullptr);
    EXPECT_TRUE(window_->CommandAction("TessalyOpenTable.OpenTable")->isEnabled());
    EXPECT_EQ(Document()->ContentsView(0)->SelectedItem(), nullptr);
}

TEST_F(DesktopHost, HostSelectByAttributesAndStatisticsWindowsOpenFromTheLaunchers) {
    OpenLesson();
    SelectInContents("Towns");
    window_->CommandAction("TessalyOpenTable.cmdSelByAttributes")->trigger();
    Settle();
    desktop::SelectByAttributesWindow& query = *window_->SelectByAttributes();
    ASSERT_TRUE(query.isVisible());
    EXPECT_EQ(query.Layers()->currentText(), "Towns");
    query.Clause()->setPlainText("\"POP2020\" > 5000");
    ASSERT_TRUE(query.Apply());
    Settle();
    EXPECT_EQ(Selected(Layer("Towns")), 3);

    QAction* statistics = window_->CommandAction("TessalyOpenTable.cmdHistogramStats");
    ASSERT_TRUE(statistics->isEnabled()) << "a layer has a selection now";
    statistics->trigger();
    Settle();
    desktop::StatisticsWindow& report = *window_->Statistics();
    ASSERT_TRUE(report.isVisible());
    EXPECT_TRUE(report.ReportText().contains(QRegularExpression("Count:\\s+3\\n"))) << report.ReportText().toStdString();
    EXPECT_TRUE(report.ReportText().contains(QRegularExpression("Sum:\\s+25.?310\\n"))) << report.ReportText().toStdString();

    query.Clause()->setPlainText("\"NO_SUCH_FIELD\" > 1");
    DismissNextModal();
    EXPECT_FALSE(query.Apply()) << "a rejected clause leaves the selection";
    EXPECT_EQ(Selected(Layer("Towns")), 3);
}

// Every trick of tests/data/where_escapes.txt typed into the host's Select By
// Attributes window, on a layer or table of every kind of file data that
// shows 2 of its 12 rows, is refused or selects only rows it shows.
TEST_F(DesktopHost, SelectByAttributesReachesNoRowOutsideTheDefinitionExpression) {
    OpenLesson();
    const fs::path data = lesson_.Folder() / "trial";
    testsupport::WriteTrialSources(data);
    struct Item {
        std::string name;
        std::shared_ptr<platform::SelectionSet> selection;
        platform::ObjectIds shown;
    };
    std::vector<Item> items;
    const auto map = Document()->FocusMap();
    const auto add = [&](const auto& opened, platform::ObjectId first) {
        opened->DefinitionExpression("\"GROUP\" = 3");
        items.push_back({opened->Name(), opened->SelectionSet(), {3 + first, 6 + first}});
        return opened;
    };
    for (const auto& source : testsupport::kTrialSources) {
        const std::string path = (data / source.file).string();
        if (source.points) map->AddLayer(add(platform::FeatureLayer::Open(source.name, path, source.layer), source.first));
        else map->AddStandaloneTable(add(platform::StandaloneTable::Open(source.name, path, source.layer), source.first));
    }
    window_->CommandAction("TessalyOpenTable.cmdSelByAttributes")->trigger();
    Settle();
    desktop::SelectByAttributesWindow& query = *window_->SelectByAttributes();
    // The warnings of refused clauses close as they come up.
    QTimer dismiss;
    dismiss.callOnTimeout([] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    dismiss.start(5);
    const auto clauses = testsupport::ReadWhereEscapes();
    for (const Item& item : items) {
        query.Layers()->setCurrentIndex(query.Layers()->findText(QString::fromStdString(item.name)));
        ASSERT_EQ(query.Layers()->currentText().toStdString(), item.name);
        for (const std::string& clause : clauses) {
            query.Method()->setCurrentIndex(0);
            query.Clause()->setPlainText(QString::fromStdString(clause));
            query.Apply();
            for (const platform::ObjectId id : item.selection->IDs())
                EXPECT_TRUE(id == item.shown[0] || id == item.shown[1]) << item.name << ": " << clause << " selects " << id;
        }
        // Each unique value of NAME ("x ", "a\\'b") selects its one row.
        query.Fields()->setCurrentRow(query.Fields()->row(query.Fields()->findItems("NAME", Qt::MatchExactly).at(0)));
        query.FillUniqueValues();
        ASSERT_EQ(query.Values()->count(), 2) << item.name;
        platform::ObjectIds selected;
        for (int i = 0; i < query.Values()->count(); ++i) {
            const QString clause = "\"NAME\" = " + query.Values()->item(i)->text();
            query.Clause()->setPlainText(clause);
            ASSERT_TRUE(query.Apply() && item.selection->Count() == 1) << item.name << ": " << clause.toStdString();
            selected.push_back(item.selection->IDs().front());
        }
        std::sort(selected.begin(), selected.end());
        EXPECT_EQ(selected, item.shown) << item.name;
    }
}

TEST_F(DesktopHost, HostSelectByLocationSelectsTheParcelUnderTheSelectedTown) {
    OpenLesson();
    SelectInContents("Towns");
    window_->CommandAction("TessalyOpenTable.cmdSelByAttributes")->trigger();
    Settle();
    window_->SelectByAttributes()->Clause()->setPlainText("\"NAME\" = 'Willow Falls'");
    ASSERT_TRUE(window_->SelectByAttributes()->Apply());
    Settle();

    window_->CommandAction("TessalyOpenTable.cmdSelByLocation")->trigger();
    Settle();
    desktop::SelectByLocationWindow& location = *window_->SelectByLocation();
    ASSERT_TRUE(location.isVisible());
    for (int i = 0; i < location.Targets()->count(); ++i)
        location.Targets()->item(i)->setCheckState(location.Targets()->item(i)->text() == "Land Use" ? Qt::Checked
                                                                                                     : Qt::Unchecked);
    location.Source()->setCurrentText("Towns");
    ASSERT_TRUE(location.SelectedOnly()->isChecked());
    location.Apply();
    Settle();

    const auto parcels = Layer("Land Use");
    ASSERT_EQ(Selected(parcels), 1);
    const auto cursor = parcels->SelectionSet()->Search(nullptr, false);
    const auto row = cursor->NextRow();
    EXPECT_EQ(row->Value(row->Fields()->FindField("LU_TYPE")).AsString(), "Urban");
}

TEST_F(DesktopHost, ARectangleDrawnOnTheMapSelectsTheTownsInsideIt) {
    OpenLesson();
    SelectInContents("Towns");
    QAction* byGraphic = window_->CommandAction("TessalyOpenTable.cmdSelByGraphic");
    EXPECT_FALSE(byGraphic->isEnabled()) << "no graphic yet";

    window_->Canvas()->SetTool(desktop::MapTool::NewRectangle);
    // Around Willow Falls (8.3 km, 8.5 km from the lesson's origin) and no other town.
    const QPoint from = PixelOf(480000 + 7600, 4750000 + 9200);
    const QPoint to = PixelOf(480000 + 9000, 4750000 + 7800);
    QTest::mousePress(window_->Canvas(), Qt::LeftButton, {}, from);
    QTest::mouseRelease(window_->Canvas(), Qt::LeftButton, {}, to);
    Settle();
    const auto graphics = Document()->FocusMap()->GraphicsLayer();
    ASSERT_EQ(graphics->ElementCount(), 1);
    EXPECT_EQ(graphics->ElementSelectionCount(), 1);
    ASSERT_TRUE(byGraphic->isEnabled());

    ClickToolbar("TessalyOpenTable.cmdSelByGraphic");
    EXPECT_EQ(Selected(Layer("Towns")), 1);

    window_->Canvas()->SetTool(desktop::MapTool::SelectElements);
    QTest::mouseClick(window_->Canvas(), Qt::LeftButton, {}, PixelOf(480000 + 20000, 4750000 + 3000));
    Settle();
    EXPECT_EQ(graphics->ElementSelectionCount(), 0) << "a click beside every element unselects them";
    EXPECT_FALSE(byGraphic->isEnabled());
}

TEST_F(DesktopHost, ADoubleClickedMapBecomesTheFocusMapAndTheDocumentSavesIt) {
    OpenLesson();
    QTreeWidget* display = window_->Contents()->Tree(0);
    const auto overview = display->findItems("Regional Overview", Qt::MatchExactly);
    ASSERT_EQ(overview.size(), 1);
    const QPoint at = display->visualItemRect(overview.front()).center();
    QTest::mouseClick(display->viewport(), Qt::LeftButton, {}, at);  // a double click begins with a click
    QTest::mouseDClick(display->viewport(), Qt::LeftButton, {}, at);
    Settle();
    EXPECT_EQ(Document()->FocusMap()->Name(), "Regional Overview");

    const QString saved = QString::fromStdString((lesson_.Folder() / "lesson" / "Saved.tmd").string());
    ASSERT_TRUE(window_->SaveDocument(saved));
    ASSERT_TRUE(window_->OpenDocument(saved));
    EXPECT_EQ(Document()->FocusMap()->Name(), "Regional Overview");
    EXPECT_EQ(Document()->Maps()->Count(), 2);
    EXPECT_TRUE(window_->windowTitle().startsWith("Willow Creek Watershed"));
}

TEST_F(DesktopHost, OpeningAnotherDocumentClosesItsTablesAndTheCommandsActOnTheNewOne) {
    OpenLesson();
    SelectInContents("Towns");
    ClickToolbar("TessalyOpenTable.OpenTable");
    ASSERT_EQ(platform::Host().OpenTableWindows().size(), 1u);
    const auto before = Layer("Towns");

    ASSERT_TRUE(window_->OpenDocument(QString::fromStdString(lesson_.Document().string())));
    Settle();
    EXPECT_TRUE(platform::Host().OpenTableWindows().empty());
    ASSERT_NE(Layer("Towns"), before);
    SelectInContents("Towns");
    ClickCustomize("TessalyOpenTable.cmdSelectAll");
    EXPECT_EQ(Selected(Layer("Towns")), 8);
    EXPECT_EQ(Selected(before), 0);
}

TEST_F(DesktopHost, RegisterAndUnregisterOptionsEnterAndRemoveTheClasses) {
    const QString program = QString::fromLatin1(TESSALY_BIN_DIR) + "/tessaly-desktop";
    ASSERT_TRUE(fs::exists(program.toStdString())) << "the host is built beside its tests";
    platform::CLSID clsid{};
    EXPECT_EQ(QProcess::execute(program, {"--register", QString::fromStdString(ServerLibrary())}), 0);
    EXPECT_EQ(platform::CLSIDFromProgID("TessalyOpenTable.cmdQuickLoad", &clsid), platform::S_OK);
    EXPECT_EQ(QProcess::execute(program, {"--unregister", QString::fromStdString(ServerLibrary())}), 0);
    EXPECT_NE(platform::CLSIDFromProgID("TessalyOpenTable.cmdQuickLoad", &clsid), platform::S_OK);
    EXPECT_NE(QProcess::execute(program, {"--register", "/no/such/library.so"}), 0);
}

TEST_F(DesktopHost, ADocumentThatCannotBeOpenedOrSavedGivesAMessageAndTheOpenOneKeepsItsChanges) {
    OpenLesson();
    const auto open = Document();
    open->Title("Unsaved title");
    const auto damaged = lesson_.Folder() / "lesson" / "Damaged.tmd";
    std::ofstream(damaged) << R"({"format": 1})";

    auto message = std::make_shared<QString>();
    DismissNextMessage(message);
    EXPECT_FALSE(window_->OpenDocument(QString::fromStdString(damaged.string())));
    EXPECT_TRUE(message->contains("is not a map document")) << message->toStdString();
    EXPECT_EQ(Document(), open);

    Document()->FocusMap()->AddLayer(
        platform::FeatureLayer::Open("Z\xFCrich", (lesson_.Folder() / "lesson" / "data" / "towns.shp").string()));
    DismissNextMessage(message);
    EXPECT_FALSE(window_->SaveDocument());
    EXPECT_TRUE(message->contains("not valid UTF-8")) << message->toStdString();
    EXPECT_EQ(Document(), open);
    EXPECT_EQ(Document()->Title(), "Unsaved title");
}

TEST_F(DesktopHost, ADocumentWithMissingOrDamagedDataOpensWithThoseLayersInvalidAndListed) {
    const auto data = lesson_.Folder() / "lesson" / "data";
    for (const char* extension : {".shp", ".shx", ".dbf", ".prj", ".cpg"}) fs::remove(data / ("rivers" + std::string(extension)));
    std::ofstream(data / "rainfall.dbf", std::ios::trunc) << "not a table";

    auto message = std::make_shared<QString>();
    DismissNextMessage(message);
    OpenLesson();
    EXPECT_TRUE(message->contains("Willow Creek Watershed: Rivers")) << message->toStdString();
    EXPECT_TRUE(message->contains("Willow Creek Watershed: Annual Rainfall")) << message->toStdString();
    EXPECT_FALSE(message->contains("Towns")) << message->toStdString();
    EXPECT_FALSE(Layer("Rivers")->Valid());
    EXPECT_TRUE(Layer("Towns")->Valid());
}

}  // namespace
