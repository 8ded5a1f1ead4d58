#pragma once
// Real data, a real document and a headless user for the tests of the query
// builder and the summarize dialog.
//
// Written into each test's own temporary folder (data/):
//   parcels.shp  points: ZONE (text), AREA (real), UNITS (integer), BUILT (date), OWNER (text); FID order:
//                0 R1 120.5 2 2001-05-03 apple     1 C2 300 10 1999-12-31 Banana
//                2 R1 80.25 1 2010-01-15 O'Neil    3 c1 45 3 1999-12-31 cherry
//                4 C2 12 10 (none) Banana
//   sites.gpkg   layer "sites", points (fid from 1): NAME (text), DEPTH (integer), YIELD (real), VISITED (date-time):
//                1 Well A 120 2.5 2020-01-02 00:00   2 well b 80 3.75 2020-01-02 13:30   3 Spring 120 1 2019-06-30
//                layer "visits", a table: SITE (integer), NOTE (text): 1 dry, 2 wet, 1 wet
//                layer "many", points: N (integer) 1 to 1234
//                layer "bare", one point without attributes
//   owners.dbf   a table: OWNER (text), SHARE (real), PARCEL (integer): apple 0.5 0, Banana 1 1, apple 0.25 2
// The environment's HOME and TMPDIR point into the folder too (home/, tmp/), and
// so does the registry (registry.json, empty).
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/com/ComPtr.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/HeadlessHostServices.h"
#include "platform/map/ICommand.h"
#include "src/core/ClassInfo.h"
#include "tests/support/InstalledHost.h"
#include "tests/support/ModelessCapturingBackend.h"
#include "tests/support/ScopedEnv.h"

namespace platform {
class Application;
class CatalogDialog;
class FeatureLayer;
class Form;
class HostObject;
class Map;
class ModelessFrame;
class StandaloneTable;
}  // namespace platform

namespace qstest {

using Ids = std::vector<long long>;
// The failure a refusing host raises: not the generic one.
inline constexpr std::int32_t kRefused = static_cast<std::int32_t>(0x80070005);
using Event = platform::HeadlessHostServices::EventKind;

using FrameCapturingBackend = testsupport::ModelessCapturingBackend;

// The headless host, also keeping what each catalog save dialog was set to, and
// able to refuse announcing a selection change.
class TestHost : public platform::HeadlessHostServices {
public:
    struct SaveAsked {
        std::string startingLocation;
        std::string name;
        std::string title;
        std::string filter;
        bool multiSelect = true;
    };
    bool ShowCatalogSave(const platform::CatalogDialog& dialog, std::string& folder, std::string& name) override;
    // Refused with a failure of its own (not the generic one) when set.
    void SelectionChanged(const platform::HostObject& layerOrTable) override;

    std::vector<SaveAsked> saves;
    bool refuseSelectionChanges = false;
};

class QuerySummaryTest : public ::testing::Test {
protected:
    QuerySummaryTest();
    ~QuerySummaryTest() override;

    std::string Data(const std::string& name) const;
    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path Home() const { return folder_ / "home"; }
    std::filesystem::path Temp() const { return folder_ / "tmp"; }

    std::shared_ptr<platform::FeatureLayer> Parcels(const std::string& name = "Parcels") const;
    std::shared_ptr<platform::FeatureLayer> Sites(const std::string& name = "Sites") const;
    std::shared_ptr<platform::FeatureLayer> Many(const std::string& name = "Many") const;
    std::shared_ptr<platform::FeatureLayer> Bare(const std::string& name = "Bare") const;
    // A layer whose data are gone: not valid.
    std::shared_ptr<platform::FeatureLayer> Missing(const std::string& name = "Lost") const;
    std::shared_ptr<platform::StandaloneTable> Owners(const std::string& name = "Owners") const;
    std::shared_ptr<platform::StandaloneTable> Visits(const std::string& name = "Visits") const;

    std::shared_ptr<platform::Map> FocusMap() const;
    // Layers go to the top of the focus map, tables to its tables, in this order.
    void AddToMap(std::initializer_list<std::shared_ptr<platform::HostObject>> items) const;
    // The one item selected in the table of contents (null: none).
    void SelectInContents(const std::shared_ptr<platform::HostObject>& item) const;
    // Gives the document a file in the test's folder (its QuickLoad.txt goes beside it).
    std::string PlaceDocument() const;

    // A command made by the library's own class factory and created on app_.
    platform::ComPtr<platform::ICommand> Command(const tessaly::ClassInfo& info) const;
    static void Click(platform::ICommand& command);

    std::size_t Count(Event kind) const { return host_->EventsOf(kind).size(); }
    const std::vector<std::string>& Reports() const { return ui_->ErrorReports(); }
    std::vector<platform::HeadlessBackend::MessageBoxRecord> Boxes() const { return ui_->MessageBoxes(); }

    std::shared_ptr<FrameCapturingBackend> ui_ = std::make_shared<FrameCapturingBackend>();
    std::shared_ptr<TestHost> host_ = std::make_shared<TestHost>();
    std::shared_ptr<platform::Application> app_;

private:
    std::filesystem::path folder_;
    std::vector<std::unique_ptr<testsupport::ScopedEnv>> environment_;
    std::unique_ptr<testsupport::InstalledHost> installed_;
};

Ids Selected(platform::FeatureLayer& layer);
Ids Selected(platform::StandaloneTable& table);
void Select(platform::FeatureLayer& layer, const Ids& ids);
void Select(platform::StandaloneTable& table, const Ids& ids);

// A dBASE file's rows as read by GDAL: each row's fields by name, as text.
using DbfRow = std::map<std::string, std::string>;
std::vector<DbfRow> ReadDbf(const std::string& path);
std::vector<std::string> DbfFieldNames(const std::string& path);

}  // namespace qstest
