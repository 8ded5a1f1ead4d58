#pragma once
#include <QToolBar>

#include "platform/com/ComPtr.h"
#include "platform/map/IToolBarDef.h"

namespace desktop {

class LoadedCommands;

// A toolbar as a library's IToolBarDef describes it: its caption as the
// title, its items in order, a separator before each item that begins a group.
// An item naming a command the library did not give is left out.
class CommandToolBar : public QToolBar {
public:
    CommandToolBar(const platform::ComPtr<platform::IToolBarDef>& definition, const LoadedCommands& commands,
                   QWidget* parent = nullptr);
};

}  // namespace desktop
