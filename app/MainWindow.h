#pragma once
#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QToolBar;

namespace platform {
class Application;
}

namespace desktop {

class ContentsPanel;
class CustomizeMenu;
class LoadedCommands;
class MapCanvas;
class SelectByAttributesWindow;
class SelectByLocationWindow;
class StatisticsWindow;
class StatusPanel;

// The desktop host's main window: the File and Customize menus, the library's
// toolbars and the host's map tools, the table of contents beside the map, and
// the status bar. It makes the host application, installs the Qt user
// interface and host services for the process (one main window at a time),
// and creates the toolbar library's classes by ProgID through the registry,
// registering `serverLibrary` first when it is not registered.
//
// Commands keep the document they were created with, so opening a document
// creates them afresh. Their enabled states are asked again whenever the
// document, the table of contents, a selection or the graphics change.
class MainWindow : public QMainWindow {
public:
    explicit MainWindow(std::string serverLibrary, QWidget* parent = nullptr);
    ~MainWindow() override;

    // False, after telling the user, when the document cannot be read.
    bool OpenDocument(const QString& path);
    // Saves to `path`, or to the document's own file when empty.
    bool SaveDocument(const QString& path = {});

    const std::shared_ptr<platform::Application>& Application() const { return application_; }
    ContentsPanel* Contents() const { return contents_; }
    MapCanvas* Canvas() const { return canvas_; }
    StatusPanel* Status() const { return status_; }
    CustomizeMenu* Customize() const { return customize_; }
    // The library's toolbars, as built from its toolbar definitions.
    const std::vector<QToolBar*>& CommandToolBars() const { return commandToolBars_; }
    // The action of a library command, or null.
    QAction* CommandAction(const std::string& progId) const;
    // What went wrong while loading the library ("" when nothing did).
    QString LoadProblems() const { return problems_; }

    StatisticsWindow* Statistics() const { return statistics_; }
    SelectByLocationWindow* SelectByLocation() const { return selectByLocation_; }
    SelectByAttributesWindow* SelectByAttributes() const { return selectByAttributes_; }

    // Asks every command's Enabled again.
    void RefreshCommands();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void InstallHostServices();
    // The host's own commands that the command bars know: its Statistics,
    // Select By Location and Select By Attributes windows.
    void RunHostCommand(const std::string& uid);
    void LoadCommands();
    void DocumentChanged();
    // Shows the map again (drawing anew only what changed) and asks again
    // once the current event is done, however many changes it made.
    void ScheduleUpdate(bool contents);
    void ShowTitle();
    void OpenClicked();
    void SaveAsClicked();

    std::string serverLibrary_;
    std::shared_ptr<platform::Application> application_;
    std::unique_ptr<LoadedCommands> commands_;
    std::vector<QToolBar*> commandToolBars_;
    ContentsPanel* contents_;
    MapCanvas* canvas_;
    StatusPanel* status_;
    CustomizeMenu* customize_;
    StatisticsWindow* statistics_;
    SelectByLocationWindow* selectByLocation_;
    SelectByAttributesWindow* selectByAttributes_;
    QString problems_;
    bool registered_ = false;
    bool updatePending_ = false;
    bool contentsPending_ = false;
};

}  // namespace desktop
