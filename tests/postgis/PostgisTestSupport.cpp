#include "PostgisTestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <gdal_priv.h>
#include <nlohmann/json.hpp>
#include <ogrsf_frmts.h>

#include "platform/com/IClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/data/SelectionSet.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "platform/map/ContentsView.h"
#include "platform/map/EnumLayer.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/HostServices.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/ErrorHandling.h"

namespace pgtest {
namespace {

using nlohmann::json;

json Source(const std::string& name, const std::string& connection, const std::string& dataset) {
    return {{"name", name}, {"dataSource", connection}, {"dataset", dataset}, {"definitionExpression", ""},
            {"fields", json::array()}};
}

json FeatureLayer(const std::string& name, const std::string& connection, const std::string& dataset) {
    json layer = Source(name, connection, dataset);
    layer["type"] = "feature";
    return layer;
}

Ids SelectedIds(const std::shared_ptr<platform::SelectionSet>& selection) {
    Ids ids;
    if (selection)
        for (auto id : selection->IDs()) ids.push_back(static_cast<long long>(id));
    return ids;
}

}  // namespace

std::string ServerConnection() {
    const char* value = std::getenv("TESSALY_TEST_PG");
    return value ? value : "";
}

PostgisTest::PostgisTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-postgis-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    folder_ = pattern;
    std::filesystem::create_directories(folder_ / "home");
    std::filesystem::create_directories(folder_ / "tmp");
    environment_.push_back(std::make_unique<testsupport::ScopedEnv>("HOME", (folder_ / "home").string()));
    environment_.push_back(std::make_unique<testsupport::ScopedEnv>("TMPDIR", (folder_ / "tmp").string()));
    environment_.push_back(
        std::make_unique<testsupport::ScopedEnv>("TESSALY_REGISTRY", (folder_ / "registry.json").string()));
    installed_ = std::make_unique<testsupport::InstalledHost>(ui_, host_);
    app_ = std::make_shared<platform::Application>();
}

PostgisTest::~PostgisTest() {
    app_.reset();
    installed_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void PostgisTest::SetUp() {
    ASSERT_FALSE(ServerConnection().empty())
        << "TESSALY_TEST_PG is not set: run these tests through ctest, whose fixture starts the PostGIS "
           "test server (tests/postgis/pg-cluster.sh).";
    GDALAllRegister();
    CPLErrorReset();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    GDALDatasetUniquePtr probe(GDALDataset::Open(ServerConnection().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    const std::string message = CPLGetLastErrorMsg();
    CPLPopErrorHandler();
    ASSERT_TRUE(probe) << "The PostGIS test server at " << ServerConnection() << " cannot be reached: " << message;
}

std::string PostgisTest::Connection() const {
    return ServerConnection() + " application_name=tessaly_" + std::to_string(getpid());
}

void PostgisTest::OpenLesson(bool withMissingTable) {
    const std::string pg = Connection();
    json tables = json::array({Source("Annual Rainfall", pg, "rainfall"), Source("Samples", pg, "field.samples")});
    if (withMissingTable) tables.push_back(Source("Gone", pg, "no_such_table"));
    const json document = {
        {"format", "tessaly-map-document"},
        {"version", 1},
        {"title", "Willow Creek on PostGIS"},
        {"focusMap", 0},
        {"maps",
         json::array({{{"name", "Layers"},
                       {"expanded", true},
                       {"extent", {480500.0, 4750000.0, 504000.0, 4766300.0}},
                       {"layers", json::array({FeatureLayer("Towns", pg, "towns"), FeatureLayer("Wells", pg, "wells"),
                                               FeatureLayer("Land Use", pg, "landuse"),
                                               FeatureLayer("Survey Sites", pg, "SurveySites")})},
                       {"standaloneTables", tables},
                       {"graphics", json::array()}}})}};
    const auto path = folder_ / "lesson.tmd";
    std::ofstream(path) << document.dump(2);
    app_->OpenDocument(path.string());
}

std::shared_ptr<platform::Map> PostgisTest::FocusMap() const { return app_->Document()->FocusMap(); }

std::shared_ptr<platform::FeatureLayer> PostgisTest::Layer(const std::string& name) const {
    auto layers = FocusMap()->Layers(nullptr, true);
    layers->Reset();
    while (auto layer = layers->Next())
        if (layer->Name() == name) return std::dynamic_pointer_cast<platform::FeatureLayer>(layer);
    throw std::runtime_error("no layer " + name);
}

std::shared_ptr<platform::StandaloneTable> PostgisTest::Table(const std::string& name) const {
    for (std::int32_t i = 0; i < FocusMap()->StandaloneTableCount(); ++i)
        if (FocusMap()->StandaloneTable(i)->Name() == name) return FocusMap()->StandaloneTable(i);
    throw std::runtime_error("no table " + name);
}

void PostgisTest::SelectItems(const std::vector<std::shared_ptr<platform::HostObject>>& items) const {
    const auto& view = app_->Document()->CurrentContentsView();
    view->SelectedItem(nullptr);
    for (const auto& item : items) view->AddToSelectedItems(item);
}

platform::ComPtr<platform::ICommand> PostgisTest::Command(const tessaly::ClassInfo& info) const {
    platform::ComPtr<platform::IClassFactory> factory;
    EXPECT_EQ(DllGetClassObject(info.clsid, platform::IClassFactory::Iid, factory.PutVoid()), platform::S_OK);
    if (!factory) throw std::runtime_error("no class factory");
    platform::ComPtr<platform::ICommand> command;
    EXPECT_EQ(factory->CreateInstance(nullptr, platform::ICommand::Iid, command.PutVoid()), platform::S_OK);
    if (!command) throw std::runtime_error(std::string("no command ") + info.progId);
    EXPECT_EQ(command->OnCreate(app_), platform::S_OK);
    return command;
}

void PostgisTest::Click(platform::ICommand& command) const { EXPECT_EQ(command.OnClick(), platform::S_OK); }

Rows PostgisTest::Sql(const std::string& query) const {
    const std::string connection = ServerConnection() + " application_name=tessaly_check";
    GDALDatasetUniquePtr dataset(GDALDataset::Open(connection.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset) throw std::runtime_error("cannot reach the server: " + connection);
    OGRLayer* result = dataset->ExecuteSQL(query.c_str(), nullptr, nullptr);
    if (!result) throw std::runtime_error("the server refused: " + query + ": " + CPLGetLastErrorMsg());
    Rows rows;
    result->ResetReading();
    // GDAL takes an ID column out of the fields; the queries here name it first.
    const bool idColumn = result->GetFIDColumn() != nullptr && *result->GetFIDColumn() != '\0';
    while (OGRFeatureUniquePtr feature{result->GetNextFeature()}) {
        std::vector<std::string> row;
        if (idColumn) row.push_back(std::to_string(feature->GetFID()));
        for (int i = 0; i < feature->GetFieldCount(); ++i)
            row.push_back(feature->IsFieldSetAndNotNull(i) ? feature->GetFieldAsString(i) : "<null>");
        rows.push_back(std::move(row));
    }
    dataset->ReleaseResultSet(result);
    return rows;
}

std::vector<std::string> PostgisTest::Column(const std::string& query) const {
    std::vector<std::string> column;
    for (const auto& row : Sql(query)) column.push_back(row.empty() ? "" : row[0]);
    return column;
}

int PostgisTest::ConnectionsOpened() const {
    // The fixture writes the log into the server's data folder.
    const std::string log = Column("SELECT current_setting('data_directory')").at(0) + "/server.log";
    std::ifstream in(log);
    if (!in) throw std::runtime_error("cannot read the server log " + log);
    const std::string mark = "connection authorized: user=postgres database=tessaly application_name=tessaly_" +
                             std::to_string(getpid());
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        const auto at = line.find(mark);
        if (at != std::string::npos && at + mark.size() == line.size()) ++count;
    }
    return count;
}

Ids Selected(platform::FeatureLayer& layer) { return SelectedIds(layer.SelectionSet()); }
Ids Selected(platform::StandaloneTable& table) { return SelectedIds(table.SelectionSet()); }

void Select(platform::FeatureLayer& layer, const Ids& ids) {
    auto selection = layer.SelectionSet();
    if (!selection) throw std::runtime_error("no selection to set");
    selection->Clear();
    for (auto id : ids) selection->Add(static_cast<platform::ObjectId>(id));
}

Ids ToIds(const std::vector<std::string>& column) {
    Ids ids;
    for (const auto& text : column) ids.push_back(std::stoll(text));
    return ids;
}

}  // namespace pgtest
