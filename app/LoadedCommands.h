#pragma once
#include <QIcon>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/map/ICommand.h"
#include "platform/map/IToolBarDef.h"

class QAction;
class QObject;

namespace platform {
class Application;
}

namespace desktop {

// One command of the loaded library with the action that stands for it on
// toolbars and menus (one action, so every place shows the same state).
struct LoadedCommand {
    std::string progId;
    QString category;
    platform::ComPtr<platform::ICommand> command;
    QAction* action = nullptr;
};

// The library's classes, created by ProgID through the registry as the host
// creates them: its toolbar definitions and its commands, each command handed
// the application (OnCreate) and entered in the application's command bars.
// A class that cannot be created is left out and named in Problems().
class LoadedCommands {
public:
    // `actionParent` owns the actions.
    LoadedCommands(const std::vector<std::string>& progIds, const std::shared_ptr<platform::Application>& application,
                   QObject* actionParent);
    ~LoadedCommands();
    LoadedCommands(const LoadedCommands&) = delete;
    LoadedCommands& operator=(const LoadedCommands&) = delete;

    const std::vector<LoadedCommand>& Commands() const { return commands_; }
    const std::vector<platform::ComPtr<platform::IToolBarDef>>& ToolBars() const { return toolBars_; }
    const LoadedCommand* Find(const std::string& progId) const;
    const std::vector<std::string>& Problems() const { return problems_; }

    // Asks every command's Enabled again.
    void RefreshEnabled() const;

private:
    std::vector<LoadedCommand> commands_;
    std::vector<platform::ComPtr<platform::IToolBarDef>> toolBars_;
    std::vector<std::string> problems_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A command's 16 x 16 bitmap as an icon; none for handle 0 or a dead handle.
QIcon IconFromBitmap(platform::OLE_HANDLE handle);

}  // namespace desktop
