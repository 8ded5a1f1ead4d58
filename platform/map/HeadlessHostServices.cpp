#include "platform/map/HeadlessHostServices.h"

#include <algorithm>

#include "platform/map/CatalogDialog.h"
#include "platform/map/HostObjectName.h"
#include "platform/map/Map.h"
#include "platform/map/StatusBar.h"
#include "platform/map/SummarizeDialog.h"
#include "platform/map/TableWindow.h"

namespace platform {

namespace {
HeadlessHostServices::Event About(HeadlessHostServices::EventKind kind, const HostObject* object) {
    HeadlessHostServices::Event event{kind};
    event.object = object;
    event.name = HostObjectName(object);
    return event;
}
}  // namespace

std::vector<HeadlessHostServices::Event> HeadlessHostServices::EventsOf(EventKind kind) const {
    std::vector<Event> found;
    std::copy_if(events_.begin(), events_.end(), std::back_inserter(found),
                 [kind](const Event& event) { return event.kind == kind; });
    return found;
}

void HeadlessHostServices::Progress(EventKind kind, const StatusBar& bar) {
    Event event{kind};
    event.text = bar.ProgressMessage();
    event.min = bar.ProgressMin();
    event.max = bar.ProgressMax();
    event.step = bar.ProgressStep();
    event.position = bar.ProgressPosition();
    event.flag = bar.ProgressOnePanel();
    events_.push_back(std::move(event));
}

void HeadlessHostServices::ProgressShown(const StatusBar& bar) { Progress(EventKind::ProgressShown, bar); }
void HeadlessHostServices::ProgressStepped(const StatusBar& bar) { Progress(EventKind::ProgressStepped, bar); }
void HeadlessHostServices::ProgressHidden(const StatusBar& bar) { Progress(EventKind::ProgressHidden, bar); }

void HeadlessHostServices::ViewRefreshed(const Map& map) { events_.push_back(About(EventKind::Refresh, &map)); }

void HeadlessHostServices::ViewPartiallyRefreshed(const Map& map, std::int32_t phase, const HostObject* data,
                                                  const Envelope* envelope) {
    Event event = About(EventKind::PartialRefresh, data);
    event.text = map.Name();
    event.phase = phase;
    event.hasEnvelope = envelope != nullptr;
    events_.push_back(std::move(event));
}

void HeadlessHostServices::ContentsUpdated(const MapDocument&) { events_.push_back(Event{EventKind::ContentsUpdated}); }

void HeadlessHostServices::SelectionChanged(const HostObject& layerOrTable) {
    events_.push_back(About(EventKind::SelectionChanged, &layerOrTable));
}

void HeadlessHostServices::TableWindowShown(const TableWindow& window) {
    events_.push_back(About(EventKind::TableWindowShown, window.Target().get()));
}

void HeadlessHostServices::TableWindowClosed(const TableWindow& window) {
    events_.push_back(About(EventKind::TableWindowClosed, window.Target().get()));
}

void HeadlessHostServices::ExecuteHostCommand(const std::string& uid) {
    Event event{EventKind::HostCommandExecuted};
    event.text = uid;
    events_.push_back(std::move(event));
}

bool HeadlessHostServices::ShowCatalogOpen(const CatalogDialog& dialog, std::vector<std::string>& picked) {
    Event event{EventKind::CatalogOpen};
    event.text = dialog.Title();
    if (!openAnswers_.empty()) {
        CatalogAnswer answer = std::move(openAnswers_.front());
        openAnswers_.pop_front();
        event.flag = answer.confirmed;
        if (answer.confirmed) picked = std::move(answer.paths);
    }
    events_.push_back(std::move(event));
    return events_.back().flag;
}

bool HeadlessHostServices::ShowCatalogSave(const CatalogDialog& dialog, std::string& folder, std::string& name) {
    Event event{EventKind::CatalogSave};
    event.text = dialog.Title();
    if (!saveAnswers_.empty()) {
        CatalogAnswer answer = std::move(saveAnswers_.front());
        saveAnswers_.pop_front();
        if (answer.confirmed && !answer.paths.empty()) {
            const std::string& path = answer.paths.front();
            const auto slash = path.find_last_of('/');
            folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
            name = slash == std::string::npos ? path : path.substr(slash + 1);
            event.flag = true;
        }
    }
    events_.push_back(std::move(event));
    return events_.back().flag;
}

void HeadlessHostServices::ShowSummarizeDialog(const SummarizeDialog& dialog) {
    Event event{EventKind::SummarizeDialog};
    event.text = dialog.FieldName();
    event.object = dialog.TableObject();
    event.name = HostObjectName(dialog.TableObject());
    event.flag = dialog.Flag();
    events_.push_back(std::move(event));
}

}  // namespace platform
