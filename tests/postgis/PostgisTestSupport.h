#pragma once
// A lesson document whose layers and tables live on the throwaway PostGIS
// server that CTest starts for these tests (tests/postgis/pg-cluster.sh), a
// fresh headless host and a scripted user.
//
// The server's database "tessaly" holds the sample lesson (towns, rivers,
// subbasins, wells, landuse, rainfall: column names in lower case, object IDs
// from 1) and tests/postgis/test-data.sql: "SurveySites" (points; "SITE",
// "VAL", "Depth", "order", flag, visited, logged, with Nulls) and field.samples
// (a table; station, "Reading", ok, taken).
//
// The document's focus map "Layers" holds, top down, the layers Towns, Wells,
// Land Use and Survey Sites, and the tables Annual Rainfall and Samples; with
// a missing table, also the table Gone (dataset "no_such_table").
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/com/ComPtr.h"
#include "platform/map/HeadlessHostServices.h"
#include "platform/map/ICommand.h"
#include "src/core/ClassInfo.h"
#include "tests/support/InstalledHost.h"
#include "tests/support/ModelessCapturingBackend.h"
#include "tests/support/ScopedEnv.h"

namespace platform {
class Application;
class FeatureLayer;
class HostObject;
class Map;
class StandaloneTable;
}  // namespace platform

namespace pgtest {

using Ids = std::vector<long long>;
using Rows = std::vector<std::vector<std::string>>;
using Event = platform::HeadlessHostServices::EventKind;

// The connection string of the test server: TESSALY_TEST_PG, "" when unset.
std::string ServerConnection();

class PostgisTest : public ::testing::Test {
protected:
    PostgisTest();
    ~PostgisTest() override;
    // Fails the test at once when the server cannot be reached.
    void SetUp() override;

    // Writes the document (with the missing table when asked) and opens it.
    void OpenLesson(bool withMissingTable = false);
    // The document's connection string: the server's, named for this process
    // so that the server log tells its connections apart.
    std::string Connection() const;

    std::shared_ptr<platform::Map> FocusMap() const;
    std::shared_ptr<platform::FeatureLayer> Layer(const std::string& name) const;
    std::shared_ptr<platform::StandaloneTable> Table(const std::string& name) const;
    // Selects these items in the current contents view, in this order.
    void SelectItems(const std::vector<std::shared_ptr<platform::HostObject>>& items) const;

    // A command made by the library's own class factory and created on app_.
    platform::ComPtr<platform::ICommand> Command(const tessaly::ClassInfo& info) const;
    void Click(platform::ICommand& command) const;

    // The rows of a query run on the server on a connection of its own, each
    // value as text ("<null>" for Null).
    Rows Sql(const std::string& query) const;
    // The values of the first column, one per row.
    std::vector<std::string> Column(const std::string& query) const;
    // Connections this process opened to the server so far, from the server log.
    int ConnectionsOpened() const;

    const std::filesystem::path& Folder() const { return folder_; }
    const std::vector<std::string>& Reports() const { return ui_->ErrorReports(); }

    std::shared_ptr<testsupport::ModelessCapturingBackend> ui_ =
        std::make_shared<testsupport::ModelessCapturingBackend>();
    std::shared_ptr<platform::HeadlessHostServices> host_ = std::make_shared<platform::HeadlessHostServices>();
    std::shared_ptr<platform::Application> app_;

private:
    std::filesystem::path folder_;
    std::vector<std::unique_ptr<testsupport::ScopedEnv>> environment_;
    std::unique_ptr<testsupport::InstalledHost> installed_;
};

Ids Selected(platform::FeatureLayer& layer);
Ids Selected(platform::StandaloneTable& table);
void Select(platform::FeatureLayer& layer, const Ids& ids);
// The IDs the query's first column gives, ascending as the query orders them.
Ids ToIds(const std::vector<std::string>& column);

}  // namespace pgtest
