#include "app/CommandToolBar.h"

#include <QAction>
#include <cstdint>
#include <string>

#include "app/LoadedCommands.h"
#include "platform/map/ItemDef.h"

namespace desktop {

namespace {
// What GetItemInfo tells of one position.
class ToolBarItem : public platform::ItemDef {
public:
    void ID(const std::string& progId) override { progId_ = progId; }
    void Group(bool beginsGroup) override { beginsGroup_ = beginsGroup; }

    std::string progId_;
    bool beginsGroup_ = false;
};
}  // namespace

CommandToolBar::CommandToolBar(const platform::ComPtr<platform::IToolBarDef>& definition,
                               const LoadedCommands& commands, QWidget* parent)
    : QToolBar(parent) {
    std::string name, caption;
    definition->Name(&name);
    definition->Caption(&caption);
    setObjectName(QString::fromStdString(name));
    setWindowTitle(QString::fromStdString(caption));
    setIconSize(QSize(16, 16));

    std::int32_t count = 0;
    if (platform::FAILED(definition->ItemCount(&count))) count = 0;
    for (std::int32_t pos = 0; pos < count; ++pos) {
        ToolBarItem item;
        if (platform::FAILED(definition->GetItemInfo(pos, item))) continue;
        const LoadedCommand* command = commands.Find(item.progId_);
        if (!command) continue;
        if (item.beginsGroup_ && !actions().isEmpty()) addSeparator();
        addAction(command->action);
    }
}

}  // namespace desktop
