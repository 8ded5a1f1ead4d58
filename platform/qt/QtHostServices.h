#pragma once
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/map/HostServices.h"

class QStatusBar;
class QWidget;

namespace platform::qt {

class StatusProgress;
class TableWindowWidget;

// The host services of a Qt application: the status bar's progress bar in the
// host's QStatusBar, table windows as windows of rows with the selection, the
// catalog dialogs as file dialogs and the summarize dialog. What the host
// application draws itself (its map view and table of contents) and its own
// commands reach it through the handlers it sets.
//
// A host installs it once a QApplication exists:
//     auto services = std::make_shared<platform::qt::QtHostServices>(statusBar(), &mainWindow);
//     services->SetHandlers({...});
//     platform::SetHostServices(services);
class QtHostServices : public HostServices {
public:
    struct Handlers {
        std::function<void(const Map&)> viewRefreshed;
        std::function<void(const Map&, std::int32_t phase, const HostObject* data, const Envelope* envelope)>
            viewPartiallyRefreshed;
        std::function<void(const MapDocument&)> contentsUpdated;
        // After the open table windows have shown the new selection.
        std::function<void(const HostObject&)> selectionChanged;
        // One of the host's own commands, by its UID text.
        std::function<void(const std::string& uid)> hostCommand;
    };

    // `statusBar` (may be null: no progress is drawn) and `mainWindow` (may be
    // null) belong to the host application and must outlive this object.
    QtHostServices(QStatusBar* statusBar, QWidget* mainWindow);
    ~QtHostServices() override;

    void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
    // The window drawing an open table window, or none.
    TableWindowWidget* WindowOf(const TableWindow& window) const;
    StatusProgress& Progress() const { return *progress_; }

    void ProgressShown(const StatusBar& bar) override;
    void ProgressStepped(const StatusBar& bar) override;
    void ProgressHidden(const StatusBar& bar) override;
    void ViewRefreshed(const Map& map) override;
    void ViewPartiallyRefreshed(const Map& map, std::int32_t phase, const HostObject* data,
                                const Envelope* envelope) override;
    void ContentsUpdated(const MapDocument& document) override;
    void SelectionChanged(const HostObject& layerOrTable) override;
    void TableWindowShown(const TableWindow& window) override;
    void TableWindowClosed(const TableWindow& window) override;
    void ExecuteHostCommand(const std::string& uid) override;
    bool ShowCatalogOpen(const CatalogDialog& dialog, std::vector<std::string>& picked) override;
    bool ShowCatalogSave(const CatalogDialog& dialog, std::string& folder, std::string& name) override;
    void ShowSummarizeDialog(const SummarizeDialog& dialog) override;

private:
    QWidget* DialogParent() const;
    // The layers' definition expressions may have changed: windows re-read.
    void ReloadTableWindows();

    QPointer<QWidget> mainWindow_;
    std::unique_ptr<StatusProgress> progress_;
    std::map<const TableWindow*, QPointer<TableWindowWidget>> windows_;
    Handlers handlers_;
};

}  // namespace platform::qt
