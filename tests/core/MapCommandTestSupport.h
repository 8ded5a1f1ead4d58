#pragma once
// Real data, a real document and a headless user for the map commands' tests.
//
// In each test's folder:
//   data/cities.shp   points, EPSG:4326, NAME, POP; FID order:
//                     0 Oslo (10.75 59.91) 700000, 1 Bergen (5.32 60.39) 285000,
//                     2 Tromso (18.96 69.65) 75000, 3 Alta (23.27 69.97) 20000
//   data/world.gpkg   layer "harbours": points, EPSG:4326, NAME, POP; fid from 1:
//                     1 Ålesund (6.15 62.47) 67000, 2 Bodø (14.40 67.28) 52000
//                     layer "bare": one point (0 0), no attribute fields
//   data/people.dbf   NAME, AGE: Ann 30, Bob 45, Cid 61
//   data/levels.shp   points, one field LEVEL (real)
//   data/depths.shp   points, DEPTH (real) then LABEL (text)
//   data/gone.shp     does not exist
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/com/ComPtr.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/HeadlessHostServices.h"
#include "platform/map/ICommand.h"
#include "src/core/ClassInfo.h"

namespace platform {
class Application;
class FeatureLayer;
class GroupLayer;
class HostObject;
class Map;
class MapDocument;
class StandaloneTable;
class TableWindow;
}  // namespace platform

namespace mapcmdtest {

using Ids = std::vector<long long>;
using Event = platform::HeadlessHostServices::EventKind;

// The headless host, which can be told to refuse what a click asks of it.
class TestHost : public platform::HeadlessHostServices {
public:
    bool refuseTableWindows = false;
    bool refuseSelectionChanges = false;

    void TableWindowShown(const platform::TableWindow& window) override;
    void SelectionChanged(const platform::HostObject& layerOrTable) override;
};

// The failure a refusing host raises.
inline constexpr std::int32_t kRefused = static_cast<std::int32_t>(0x80004005);

class MapCommandTest : public ::testing::Test {
protected:
    MapCommandTest();
    ~MapCommandTest() override;

    std::string Data(const std::string& name) const;

    std::shared_ptr<platform::FeatureLayer> Cities(const std::string& name = "Cities") const;
    std::shared_ptr<platform::FeatureLayer> Harbours(const std::string& name = "Harbours") const;
    std::shared_ptr<platform::FeatureLayer> Layer(const std::string& name, const std::string& file,
                                                  const std::string& layerName = {}) const;
    // A layer whose data source is gone: Valid is false.
    std::shared_ptr<platform::FeatureLayer> Missing(const std::string& name = "Lost Roads") const;
    std::shared_ptr<platform::StandaloneTable> People(const std::string& name = "People") const;
    std::shared_ptr<platform::StandaloneTable> MissingTable(const std::string& name = "Lost Table") const;

    const std::shared_ptr<platform::MapDocument>& Document() const;
    std::shared_ptr<platform::Map> FocusMap() const;
    // A new map appended to the document.
    std::shared_ptr<platform::Map> AddMap(const std::string& name) const;

    // Makes the view of that name current ("Display", "Source", "Selection").
    void UseView(const std::string& name) const;
    // Selects these items in the current contents view, in this order.
    void SelectItems(std::initializer_list<std::shared_ptr<platform::HostObject>> items) const;

    // A command made by the library's own class factory and created on app_.
    platform::ComPtr<platform::ICommand> Command(const tessaly::ClassInfo& info) const;
    // Its Enabled; the call itself must succeed.
    static bool Enabled(platform::ICommand& command);

    std::size_t Count(Event kind) const { return host_->EventsOf(kind).size(); }
    std::vector<platform::HeadlessHostServices::Event> Events(Event kind) const { return host_->EventsOf(kind); }

    std::filesystem::path folder_;
    std::shared_ptr<TestHost> host_ = std::make_shared<TestHost>();
    platform::ScopedHeadlessUi ui_;
    std::shared_ptr<platform::Application> app_;

private:
    std::shared_ptr<platform::HostServices> previousHost_;
};

// The selected object IDs of a layer or table, ascending; empty when it has no selection.
Ids Selected(platform::FeatureLayer& layer);
Ids Selected(platform::StandaloneTable& table);
// Replaces the selection by these IDs.
void Select(platform::FeatureLayer& layer, const Ids& ids);
void Select(platform::StandaloneTable& table, const Ids& ids);

// The names of a map's layers at every depth, and of its standalone tables.
std::vector<std::string> LayerNames(const platform::Map& map);
std::vector<std::string> TableNames(const platform::Map& map);

}  // namespace mapcmdtest
