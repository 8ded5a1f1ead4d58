#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/map/HostServices.h"

namespace platform {

// Host services without a screen: every request is recorded in order, and the
// host's dialogs answer from a script (unscripted dialogs are cancelled).
class HeadlessHostServices : public HostServices {
public:
    enum class EventKind {
        ProgressShown,
        ProgressStepped,
        ProgressHidden,
        Refresh,
        PartialRefresh,
        ContentsUpdated,
        SelectionChanged,
        TableWindowShown,
        TableWindowClosed,
        HostCommandExecuted,
        CatalogOpen,
        CatalogSave,
        SummarizeDialog,
    };

    // One recorded request. `object` identifies the layer, table or map it was
    // about (the data object of a partial refresh); it is for comparison only and
    // may dangle once that object is gone. `name` is that object's name when it
    // was recorded.
    struct Event {
        explicit Event(EventKind eventKind) : kind(eventKind) {}
        EventKind kind;
        std::string text;            // progress message, command UID, dialog title, summarize
                                     // field, the map's name of a partial refresh
        const void* object = nullptr;
        std::string name;
        std::int32_t phase = 0;      // partial refresh
        bool hasEnvelope = false;    // partial refresh
        std::int32_t min = 0, max = 0, step = 0, position = 0;  // progress
        bool flag = false;           // progress: one panel; dialogs: confirmed
    };

    // A scripted answer of the catalog dialogs. Open: `paths` are the picked
    // objects' full paths. Save: `paths` holds one full path, split into the
    // dialog's final location and name.
    struct CatalogAnswer {
        bool confirmed = false;
        std::vector<std::string> paths;
    };

    // The next open (or save) dialog answers with this; answers are used in order.
    void AnswerCatalogOpen(CatalogAnswer answer) { openAnswers_.push_back(std::move(answer)); }
    void AnswerCatalogSave(CatalogAnswer answer) { saveAnswers_.push_back(std::move(answer)); }

    const std::vector<Event>& Events() const { return events_; }
    std::vector<Event> EventsOf(EventKind kind) const;
    void ClearEvents() { events_.clear(); }

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
    void Progress(EventKind kind, const StatusBar& bar);

    std::vector<Event> events_;
    std::deque<CatalogAnswer> openAnswers_;
    std::deque<CatalogAnswer> saveAnswers_;
};

}  // namespace platform
