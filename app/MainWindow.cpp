#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>

#include "app/CommandToolBar.h"
#include "app/ContentsPanel.h"
#include "app/CustomizeMenu.h"
#include "app/Guarded.h"
#include "app/LoadedCommands.h"
#include "app/MapCanvas.h"
#include "app/MapToolBar.h"
#include "app/SelectByAttributesWindow.h"
#include "app/SelectByLocationWindow.h"
#include "app/ServerRegistration.h"
#include "app/StatisticsWindow.h"
#include "app/StatusPanel.h"
#include "platform/com/ComError.h"
#include "platform/forms/UiBackend.h"
#include "platform/map/Application.h"
#include "platform/map/HostServices.h"
#include "platform/map/Layer.h"
#include "platform/map/Map.h"
#include "platform/map/Maps.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableWindow.h"
#include "platform/map/MapDocument.h"
#include "platform/map/UID.h"
#include "platform/qt/QtBackend.h"
#include "platform/qt/QtHostServices.h"

namespace desktop {

namespace {
// The toolbar definition whose registration tells that the library is installed.
const char* const ToolBarProgID = "TessalyOpenTable.toolBarTessaly";

// "Map: layer", one a line, for every layer and standalone table whose data
// could not be read.
QStringList InvalidContents(const platform::MapDocument& document) {
    QStringList lines;
    for (std::int32_t m = 0; m < document.Maps()->Count(); ++m) {
        const auto& map = document.Maps()->Item(m);
        const QString mapName = QString::fromStdString(map->Name());
        const auto layers = map->Layers(nullptr, true);
        for (auto layer = layers->Next(); layer; layer = layers->Next())
            if (!layer->Valid()) lines << mapName + ": " + QString::fromStdString(layer->Name());
        for (std::int32_t t = 0; t < map->StandaloneTableCount(); ++t)
            if (!map->StandaloneTable(t)->Valid())
                lines << mapName + ": " + QString::fromStdString(map->StandaloneTable(t)->Name());
    }
    return lines;
}
}  // namespace

MainWindow::MainWindow(std::string serverLibrary, QWidget* parent)
    : QMainWindow(parent), serverLibrary_(std::move(serverLibrary)),
      application_(std::make_shared<platform::Application>()) {
    application_->hWnd(static_cast<std::int64_t>(winId()));
    platform::SetUiBackend(std::make_shared<platform::qt::QtBackend>(this));

    contents_ = new ContentsPanel;
    canvas_ = new MapCanvas;
    auto* splitter = new QSplitter;
    splitter->addWidget(contents_);
    splitter->addWidget(canvas_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 760});
    setCentralWidget(splitter);
    status_ = new StatusPanel;
    setStatusBar(status_);
    customize_ = new CustomizeMenu(this);
    statistics_ = new StatisticsWindow(application_, this);
    selectByLocation_ = new SelectByLocationWindow(application_, this);
    selectByAttributes_ = new SelectByAttributesWindow(application_, this);

    BuildMenus();
    addToolBar(new MapToolBar(*canvas_, this));
    InstallHostServices();

    contents_->onSelectionChanged = [this] { RefreshCommands(); };
    contents_->onFocusMapChanged = [this] { ScheduleUpdate(false); };
    canvas_->onGraphicsChanged = [this] { RefreshCommands(); };
    canvas_->onPointerMoved = [this](double x, double y) { status_->ShowCoordinates(x, y); };

    try {
        EnsureRegistered(ToolBarProgID, serverLibrary_);
        registered_ = true;
    } catch (const std::exception& error) {
        problems_ = tr("The toolbar library %1 could not be registered: %2")
                        .arg(QString::fromStdString(serverLibrary_), QString::fromUtf8(error.what()));
    }
    DocumentChanged();
    resize(1100, 720);
}

MainWindow::~MainWindow() {
    // The commands go before the application and the user interface they use.
    commands_.reset();
    platform::SetHostServices(nullptr);
    platform::SetUiBackend(nullptr);
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, [this] { Guarded(this, tr("Open"), [this] { OpenClicked(); }); });
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { SaveDocument(); });
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this,
                    [this] { Guarded(this, tr("Save"), [this] { SaveAsClicked(); }); });
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);
    menuBar()->addMenu(customize_);
}

void MainWindow::InstallHostServices() {
    auto services = std::make_shared<platform::qt::QtHostServices>(status_, this);
    platform::qt::QtHostServices::Handlers handlers;
    handlers.viewRefreshed = [this](const platform::Map&) { ScheduleUpdate(true); };
    handlers.viewPartiallyRefreshed = [this](const platform::Map&, std::int32_t, const platform::HostObject*,
                                             const platform::Envelope*) { ScheduleUpdate(true); };
    handlers.contentsUpdated = [this](const platform::MapDocument&) { ScheduleUpdate(true); };
    handlers.selectionChanged = [this](const platform::HostObject&) { ScheduleUpdate(true); };
    handlers.hostCommand = [this](const std::string& uid) { RunHostCommand(uid); };
    services->SetHandlers(std::move(handlers));
    platform::SetHostServices(std::move(services));
}

void MainWindow::RunHostCommand(const std::string& uid) {
    const QString id = QString::fromStdString(uid);
    auto is = [&id](const char* known) { return id.compare(QLatin1String(known), Qt::CaseInsensitive) == 0; };
    if (is(platform::StatisticsCommandUID)) statistics_->Open();
    else if (is(platform::SelectByLocationCommandUID)) selectByLocation_->Open();
    else if (is(platform::SelectByAttributesCommandUID)) selectByAttributes_->Open();
}

void MainWindow::LoadCommands() {
    for (QToolBar* bar : commandToolBars_) delete bar;
    commandToolBars_.clear();
    commands_.reset();
    if (!registered_) return;

    commands_ = std::make_unique<LoadedCommands>(RegisteredProgIDs(serverLibrary_), application_, this);
    for (const auto& definition : commands_->ToolBars()) {
        auto* bar = new CommandToolBar(definition, *commands_, this);
        addToolBar(bar);
        commandToolBars_.push_back(bar);
    }
    customize_->Show(*commands_);
    // A click may change what the commands act on without announcing it.
    for (const auto& command : commands_->Commands())
        connect(command.action, &QAction::triggered, this, [this] { ScheduleUpdate(false); });
    if (!commands_->Problems().empty()) {
        QStringList lines;
        for (const auto& problem : commands_->Problems()) lines << QString::fromStdString(problem);
        problems_ = tr("Some classes of the toolbar library could not be created:\n") + lines.join('\n');
    }
}

QAction* MainWindow::CommandAction(const std::string& progId) const {
    const LoadedCommand* command = commands_ ? commands_->Find(progId) : nullptr;
    return command ? command->action : nullptr;
}

void MainWindow::RefreshCommands() {
    if (commands_) commands_->RefreshEnabled();
}

void MainWindow::DocumentChanged() {
    // Windows of the document that was open show nothing of the new one.
    const auto open = platform::Host().OpenTableWindows();
    for (const auto& window : open) window->Close();
    for (QDialog* window : {static_cast<QDialog*>(statistics_), static_cast<QDialog*>(selectByLocation_),
                            static_cast<QDialog*>(selectByAttributes_)})
        window->hide();
    LoadCommands();
    contents_->SetDocument(application_->Document());
    canvas_->SetDocument(application_->Document());
    ShowTitle();
    RefreshCommands();
}

void MainWindow::ScheduleUpdate(bool contents) {
    contentsPending_ = contentsPending_ || contents;
    if (updatePending_) return;
    updatePending_ = true;
    QTimer::singleShot(0, this, [this] {
        updatePending_ = false;
        Guarded(this, {}, [this] {
            if (contentsPending_) contents_->Rebuild();
            canvas_->Redraw();
        });
        contentsPending_ = false;
        RefreshCommands();
    });
}

void MainWindow::ShowTitle() {
    const auto& document = application_->Document();
    QString name = QString::fromStdString(document->Title());
    if (name.isEmpty() && !document->FilePath().empty())
        name = QFileInfo(QString::fromStdString(document->FilePath())).completeBaseName();
    if (name.isEmpty()) name = tr("Untitled");
    setWindowTitle(tr("%1 - Tessaly Desktop").arg(name));
}

bool MainWindow::OpenDocument(const QString& path) {
    if (!Guarded(this, tr("Open"), [&] { application_->OpenDocument(path.toStdString()); })) return false;
    Guarded(this, tr("Open"), [this] { DocumentChanged(); });
    if (const QStringList invalid = InvalidContents(*application_->Document()); !invalid.isEmpty())
        QMessageBox::warning(this, tr("Open"),
                             tr("The data of these layers and tables could not be read; they stay in the document, "
                                "marked invalid:\n") +
                                 invalid.join('\n'));
    return true;
}

bool MainWindow::SaveDocument(const QString& path) {
    if (path.isEmpty() && application_->Document()->FilePath().empty()) {
        SaveAsClicked();
        return !application_->Document()->FilePath().empty();
    }
    if (!Guarded(this, tr("Save"), [&] { application_->SaveDocument(path.toStdString()); })) return false;
    ShowTitle();
    return true;
}

void MainWindow::OpenClicked() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open"), QString(), tr("Tessaly Map Documents (*.tmd)"));
    if (!path.isEmpty()) OpenDocument(path);
}

void MainWindow::SaveAsClicked() {
    QString path = QFileDialog::getSaveFileName(this, tr("Save As"), QString::fromStdString(application_->Document()->FilePath()),
                                                tr("Tessaly Map Documents (*.tmd)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".tmd"), Qt::CaseInsensitive)) path += QStringLiteral(".tmd");
    SaveDocument(path);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The host's modeless windows close with it.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->close();
    event->accept();
}

}  // namespace desktop
