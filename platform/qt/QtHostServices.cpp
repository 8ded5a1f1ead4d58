#include "platform/qt/QtHostServices.h"

#include <QApplication>
#include <QStatusBar>

#include "platform/map/TableWindow.h"
#include "platform/qt/CatalogFileDialogs.h"
#include "platform/qt/StatusProgress.h"
#include "platform/qt/SummarizeWindow.h"
#include "platform/qt/TableWindowWidget.h"

namespace platform::qt {

QtHostServices::QtHostServices(QStatusBar* statusBar, QWidget* mainWindow)
    : mainWindow_(mainWindow), progress_(std::make_unique<StatusProgress>(statusBar)) {}

QtHostServices::~QtHostServices() {
    for (auto& [window, widget] : windows_) {
        if (widget) {
            widget->SetOnClosed(nullptr);
            delete widget.data();
        }
    }
}

QWidget* QtHostServices::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return mainWindow_.data();
}

TableWindowWidget* QtHostServices::WindowOf(const TableWindow& window) const {
    const auto found = windows_.find(&window);
    return found == windows_.end() ? nullptr : found->second.data();
}

void QtHostServices::ProgressShown(const StatusBar& bar) { progress_->Shown(bar); }
void QtHostServices::ProgressStepped(const StatusBar& bar) { progress_->Stepped(bar); }
void QtHostServices::ProgressHidden(const StatusBar&) { progress_->Hidden(); }

void QtHostServices::ReloadTableWindows() {
    for (auto& [window, widget] : windows_) {
        if (widget) widget->Reload(false);
    }
}

void QtHostServices::ViewRefreshed(const Map& map) {
    ReloadTableWindows();
    if (handlers_.viewRefreshed) handlers_.viewRefreshed(map);
}

void QtHostServices::ViewPartiallyRefreshed(const Map& map, std::int32_t phase, const HostObject* data,
                                            const Envelope* envelope) {
    ReloadTableWindows();
    if (handlers_.viewPartiallyRefreshed) handlers_.viewPartiallyRefreshed(map, phase, data, envelope);
}

void QtHostServices::ContentsUpdated(const MapDocument& document) {
    if (handlers_.contentsUpdated) handlers_.contentsUpdated(document);
}

void QtHostServices::SelectionChanged(const HostObject& layerOrTable) {
    for (auto& [window, widget] : windows_) {
        if (widget && widget->Target().get() == &layerOrTable) widget->ShowSelection();
    }
    if (handlers_.selectionChanged) handlers_.selectionChanged(layerOrTable);
}

void QtHostServices::TableWindowShown(const TableWindow& window) {
    QPointer<TableWindowWidget>& widget = windows_[&window];
    if (!widget) {
        const auto target = window.Target();
        if (!target) return;
        widget = new TableWindowWidget(target, mainWindow_);
        // The user's close closes the host's window object; that reports back here.
        const TableWindow* key = &window;
        widget->SetOnClosed([this, key] {
            std::shared_ptr<TableWindow> closing;
            for (const auto& open : OpenTableWindows()) {
                if (open.get() == key) closing = open;
            }
            if (closing) closing->Close();
        });
    }
    widget->show();
    widget->raise();
    widget->activateWindow();
}

void QtHostServices::TableWindowClosed(const TableWindow& window) {
    const auto found = windows_.find(&window);
    if (found == windows_.end()) return;
    QPointer<TableWindowWidget> widget = found->second;
    windows_.erase(found);
    if (widget) {
        widget->SetOnClosed(nullptr);
        widget->hide();
        widget->deleteLater();
    }
}

void QtHostServices::ExecuteHostCommand(const std::string& uid) {
    if (handlers_.hostCommand) {
        handlers_.hostCommand(uid);
    } else {
        qWarning("No host command handler for %s", uid.c_str());
    }
}

bool QtHostServices::ShowCatalogOpen(const CatalogDialog& dialog, std::vector<std::string>& picked) {
    return RunCatalogOpen(DialogParent(), dialog, picked);
}

bool QtHostServices::ShowCatalogSave(const CatalogDialog& dialog, std::string& folder, std::string& name) {
    return RunCatalogSave(DialogParent(), dialog, folder, name);
}

void QtHostServices::ShowSummarizeDialog(const SummarizeDialog& dialog) {
    SummarizeWindow window(dialog, DialogParent());
    window.exec();
}

}  // namespace platform::qt
