#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class CatalogDialog;
class Envelope;
class HostObject;
class Map;
class MapDocument;
class StatusBar;
class SummarizeDialog;
class TableWindow;

// What a user interface carries out for the host's object model: drawing the
// status bar's progress, redrawing views and the table of contents, showing
// and closing table windows, running the host's own commands and showing the
// host's dialogs. One implementation is installed for the process (like the
// forms' UI backend): the headless one for tests and scripted runs, a Qt one
// for the desktop host.
//
// The open table windows are kept here, not in the UI, so that every UI finds
// and closes them alike; a UI only draws them.
class HostServices {
public:
    virtual ~HostServices();

    virtual void ProgressShown(const StatusBar& bar) = 0;
    virtual void ProgressStepped(const StatusBar& bar) = 0;
    virtual void ProgressHidden(const StatusBar& bar) = 0;

    // `map` is the view to redraw. PartialRefresh passes its phase, data object
    // (may be null) and area (may be null) through unchanged.
    virtual void ViewRefreshed(const Map& map) = 0;
    virtual void ViewPartiallyRefreshed(const Map& map, std::int32_t phase, const HostObject* data,
                                        const Envelope* envelope) = 0;
    virtual void ContentsUpdated(const MapDocument& document) = 0;
    // A feature layer's or standalone table's selection was announced as changed.
    virtual void SelectionChanged(const HostObject& layerOrTable) = 0;

    virtual void TableWindowShown(const TableWindow& window) = 0;
    virtual void TableWindowClosed(const TableWindow& window) = 0;

    // Runs one of the host's own commands (its statistics, select-by-location
    // and select-by-attributes windows), named by its command UID text.
    virtual void ExecuteHostCommand(const std::string& uid) = 0;

    // The catalog's open dialog. True when the user confirmed; `picked` then
    // holds the full paths in the order picked.
    virtual bool ShowCatalogOpen(const CatalogDialog& dialog, std::vector<std::string>& picked) = 0;
    // The catalog's save dialog. True when the user confirmed; `folder` (without
    // a trailing separator) and `name` then hold the chosen place.
    virtual bool ShowCatalogSave(const CatalogDialog& dialog, std::string& folder, std::string& name) = 0;
    // The host's summarize dialog, modal; returns when the user closes it.
    virtual void ShowSummarizeDialog(const SummarizeDialog& dialog) = 0;

    // The open table window of a layer or standalone table, or null.
    std::shared_ptr<TableWindow> FindTableWindow(const HostObject& layerOrTable) const;
    const std::vector<std::shared_ptr<TableWindow>>& OpenTableWindows() const { return openWindows_; }

private:
    friend class TableWindow;
    void Register(std::shared_ptr<TableWindow> window);
    void Unregister(const TableWindow& window);

    std::vector<std::shared_ptr<TableWindow>> openWindows_;
};

// The installed host services. When none was installed, a headless one is
// installed on first use.
HostServices& Host();

// Installs `services` (null: back to a fresh headless one on next use) and
// returns what was installed before.
std::shared_ptr<HostServices> SetHostServices(std::shared_ptr<HostServices> services);

}  // namespace platform
