#include "app/CustomizeMenu.h"

#include <QAction>
#include <map>

#include "app/LoadedCommands.h"

namespace desktop {

CustomizeMenu::CustomizeMenu(QWidget* parent) : QMenu(tr("&Customize"), parent) {}

void CustomizeMenu::Show(const LoadedCommands& commands) {
    clear();
    for (QMenu* old : findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) delete old;
    std::map<QString, QMenu*> categories;
    for (const auto& command : commands.Commands()) {
        QMenu*& category = categories[command.category];
        if (!category) category = addMenu(command.category.isEmpty() ? tr("Other Commands") : command.category);
        category->addAction(command.action);
    }
}

}  // namespace desktop
