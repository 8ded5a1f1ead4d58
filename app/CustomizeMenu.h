#pragma once
#include <QMenu>

namespace desktop {

class LoadedCommands;

// The Customize menu: one submenu per command category, in the order the
// categories first appear, holding every command of the category, on a
// toolbar or not.
class CustomizeMenu : public QMenu {
public:
    explicit CustomizeMenu(QWidget* parent = nullptr);
    // Lists `commands` in place of what was listed.
    void Show(const LoadedCommands& commands);
};

}  // namespace desktop
