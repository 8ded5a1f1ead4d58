#include "QuerySummaryTestSupport.h"

#include <cstdlib>
#include <stdexcept>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/com/ClassFactory.h"
#include "platform/com/ComError.h"
#include "platform/com/IClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/data/SelectionSet.h"
#include "platform/forms/Form.h"
#include "platform/map/Application.h"
#include "platform/map/CatalogDialog.h"
#include "platform/map/CatalogObjects.h"
#include "platform/map/ContentsView.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/ErrorHandling.h"
#include "tests/support/GdalTestData.h"

namespace qstest {
namespace {

using testsupport::AddField;
using testsupport::Create;
using testsupport::NewLayer;

// One cell: text, a number, a date as "yyyy-mm-dd[ hh:mm]", or none (Null).
struct Cell {
    enum Kind { None, Text, Number, Date } kind = None;
    std::string text;
    double number = 0;
    Cell() = default;
    Cell(const char* value) : kind(Text), text(value) {}
    Cell(double value) : kind(Number), number(value) {}
    static Cell When(const char* value) {
        Cell cell;
        cell.kind = Date;
        cell.text = value;
        return cell;
    }
};

void AddRow(OGRLayer& layer, const std::vector<Cell>& cells, int point) {
    OGRFeature feature(layer.GetLayerDefn());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int index = static_cast<int>(i);
        const Cell& cell = cells[i];
        switch (cell.kind) {
        case Cell::None: feature.SetFieldNull(index); break;
        case Cell::Text: feature.SetField(index, cell.text.c_str()); break;
        case Cell::Number:
            if (layer.GetLayerDefn()->GetFieldDefn(index)->GetType() == OFTInteger)
                feature.SetField(index, static_cast<int>(cell.number));
            else
                feature.SetField(index, cell.number);
            break;
        case Cell::Date: {
            int y = 0, m = 0, d = 0, hh = 0, mm = 0;
            std::sscanf(cell.text.c_str(), "%d-%d-%d %d:%d", &y, &m, &d, &hh, &mm);
            feature.SetField(index, y, m, d, hh, mm, 0, 0);
            break;
        }
        }
    }
    if (layer.GetLayerDefn()->GetGeomType() != wkbNone) {
        OGRPoint where(point, point);
        feature.SetGeometry(&where);
    }
    if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
}

void WriteData(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    {
        auto shp = Create(folder / "parcels.shp", "ESRI Shapefile");
        OGRLayer& parcels = NewLayer(*shp, "parcels", wkbPoint);
        AddField(parcels, "ZONE", OFTString, 10);
        AddField(parcels, "AREA", OFTReal, 12, 2);
        AddField(parcels, "UNITS", OFTInteger, 6);
        AddField(parcels, "BUILT", OFTDate);
        AddField(parcels, "OWNER", OFTString, 20);
        AddRow(parcels, {"R1", 120.5, 2.0, Cell::When("2001-05-03"), "apple"}, 0);
        AddRow(parcels, {"C2", 300.0, 10.0, Cell::When("1999-12-31"), "Banana"}, 1);
        AddRow(parcels, {"R1", 80.25, 1.0, Cell::When("2010-01-15"), "O'Neil"}, 2);
        AddRow(parcels, {"c1", 45.0, 3.0, Cell::When("1999-12-31"), "cherry"}, 3);
        AddRow(parcels, {"C2", 12.0, 10.0, Cell(), "Banana"}, 4);
    }
    {
        auto gpkg = Create(folder / "sites.gpkg", "GPKG");
        OGRLayer& sites = NewLayer(*gpkg, "sites", wkbPoint);
        AddField(sites, "NAME", OFTString);
        AddField(sites, "DEPTH", OFTInteger);
        AddField(sites, "YIELD", OFTReal);
        AddField(sites, "VISITED", OFTDateTime);
        AddRow(sites, {"Well A", 120.0, 2.5, Cell::When("2020-01-02 00:00")}, 1);
        AddRow(sites, {"well b", 80.0, 3.75, Cell::When("2020-01-02 13:30")}, 2);
        AddRow(sites, {"Spring", 120.0, 1.0, Cell::When("2019-06-30 00:00")}, 3);
        OGRLayer& visits = NewLayer(*gpkg, "visits", wkbNone);
        AddField(visits, "SITE", OFTInteger);
        AddField(visits, "NOTE", OFTString);
        AddRow(visits, {1.0, "dry"}, 0);
        AddRow(visits, {2.0, "wet"}, 0);
        AddRow(visits, {1.0, "wet"}, 0);
        OGRLayer& many = NewLayer(*gpkg, "many", wkbPoint);
        AddField(many, "N", OFTInteger);
        gpkg->StartTransaction();
        for (int n = 1; n <= 1234; ++n) AddRow(many, {static_cast<double>(n)}, n % 50);
        gpkg->CommitTransaction();
        OGRLayer& bare = NewLayer(*gpkg, "bare", wkbPoint);
        AddRow(bare, {}, 0);
    }
    {
        auto dbf = Create(folder / "owners.dbf", "ESRI Shapefile");
        OGRLayer& owners = NewLayer(*dbf, "owners", wkbNone);
        AddField(owners, "OWNER", OFTString, 20);
        AddField(owners, "SHARE", OFTReal, 8, 2);
        AddField(owners, "PARCEL", OFTInteger, 6);
        AddRow(owners, {"apple", 0.5, 0.0}, 0);
        AddRow(owners, {"Banana", 1.0, 1.0}, 0);
        AddRow(owners, {"apple", 0.25, 2.0}, 0);
    }
}

Ids SelectedIds(const std::shared_ptr<platform::SelectionSet>& selection) {
    Ids ids;
    if (selection)
        for (auto id : selection->IDs()) ids.push_back(static_cast<long long>(id));
    return ids;
}

void Replace(const std::shared_ptr<platform::SelectionSet>& selection, const Ids& ids) {
    if (!selection) throw std::runtime_error("no selection to set");
    selection->Clear();
    for (auto id : ids) selection->Add(static_cast<platform::ObjectId>(id));
}

template <class T>
std::shared_ptr<T> Opened(std::shared_ptr<T> item, const std::string& what) {
    if (!item->Valid()) throw std::runtime_error("test data did not open: " + what);
    return item;
}

}  // namespace

bool TestHost::ShowCatalogSave(const platform::CatalogDialog& dialog, std::string& folder, std::string& name) {
    const auto& filter = dialog.ObjectFilter();
    saves.push_back({dialog.StartingLocation(), dialog.Name(), dialog.Title(), filter ? filter->Description() : "",
                     dialog.AllowMultiSelect()});
    return HeadlessHostServices::ShowCatalogSave(dialog, folder, name);
}

void TestHost::SelectionChanged(const platform::HostObject& layerOrTable) {
    if (refuseSelectionChanges) throw platform::ComError(kRefused, "TableSelection", "The host refused the change.");
    HeadlessHostServices::SelectionChanged(layerOrTable);
}

QuerySummaryTest::QuerySummaryTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-querysum-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    folder_ = pattern;
    WriteData(folder_ / "data");
    std::filesystem::create_directories(Home());
    std::filesystem::create_directories(Temp());
    environment_.push_back(std::make_unique<testsupport::ScopedEnv>("HOME", Home().string()));
    environment_.push_back(std::make_unique<testsupport::ScopedEnv>("TMPDIR", Temp().string()));
    environment_.push_back(
        std::make_unique<testsupport::ScopedEnv>("TESSALY_REGISTRY", (folder_ / "registry.json").string()));

    installed_ = std::make_unique<testsupport::InstalledHost>(ui_, host_);
    app_ = std::make_shared<platform::Application>();
}

QuerySummaryTest::~QuerySummaryTest() {
    app_.reset();
    installed_.reset();
    environment_.clear();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string QuerySummaryTest::Data(const std::string& name) const { return (folder_ / "data" / name).string(); }

std::shared_ptr<platform::FeatureLayer> QuerySummaryTest::Parcels(const std::string& name) const {
    return Opened(platform::FeatureLayer::Open(name, Data("parcels.shp")), "parcels.shp");
}

std::shared_ptr<platform::FeatureLayer> QuerySummaryTest::Sites(const std::string& name) const {
    return Opened(platform::FeatureLayer::Open(name, Data("sites.gpkg"), "sites"), "sites");
}

std::shared_ptr<platform::FeatureLayer> QuerySummaryTest::Many(const std::string& name) const {
    return Opened(platform::FeatureLayer::Open(name, Data("sites.gpkg"), "many"), "many");
}

std::shared_ptr<platform::FeatureLayer> QuerySummaryTest::Missing(const std::string& name) const {
    return platform::FeatureLayer::Open(name, Data("gone.shp"));
}

std::shared_ptr<platform::FeatureLayer> QuerySummaryTest::Bare(const std::string& name) const {
    return Opened(platform::FeatureLayer::Open(name, Data("sites.gpkg"), "bare"), "bare");
}

std::shared_ptr<platform::StandaloneTable> QuerySummaryTest::Owners(const std::string& name) const {
    return Opened(platform::StandaloneTable::Open(name, Data("owners.dbf")), "owners.dbf");
}

std::shared_ptr<platform::StandaloneTable> QuerySummaryTest::Visits(const std::string& name) const {
    return Opened(platform::StandaloneTable::Open(name, Data("sites.gpkg"), "visits"), "visits");
}

std::shared_ptr<platform::Map> QuerySummaryTest::FocusMap() const { return app_->Document()->FocusMap(); }

void QuerySummaryTest::AddToMap(std::initializer_list<std::shared_ptr<platform::HostObject>> items) const {
    for (const auto& item : items) {
        if (auto layer = std::dynamic_pointer_cast<platform::Layer>(item))
            FocusMap()->AddLayer(layer);
        else if (auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(item))
            FocusMap()->AddStandaloneTable(table);
        else
            throw std::runtime_error("neither a layer nor a table");
    }
}

void QuerySummaryTest::SelectInContents(const std::shared_ptr<platform::HostObject>& item) const {
    app_->Document()->CurrentContentsView()->SelectedItem(item);
}

std::string QuerySummaryTest::PlaceDocument() const {
    const std::string path = (folder_ / "lesson.tmd").string();
    app_->Document()->FilePath(path);
    return path;
}

platform::ComPtr<platform::ICommand> QuerySummaryTest::Command(const tessaly::ClassInfo& info) const {
    platform::ComPtr<platform::IClassFactory> factory;
    EXPECT_EQ(DllGetClassObject(info.clsid, platform::IClassFactory::Iid, factory.PutVoid()), platform::S_OK);
    platform::ComPtr<platform::ICommand> command;
    if (!factory) throw std::runtime_error("no class factory");
    EXPECT_EQ(factory->CreateInstance(nullptr, platform::ICommand::Iid, command.PutVoid()), platform::S_OK);
    if (!command) throw std::runtime_error(std::string("no command ") + info.progId);
    EXPECT_EQ(command->OnCreate(app_), platform::S_OK);
    return command;
}

void QuerySummaryTest::Click(platform::ICommand& command) { EXPECT_EQ(command.OnClick(), platform::S_OK); }

Ids Selected(platform::FeatureLayer& layer) { return SelectedIds(layer.SelectionSet()); }
Ids Selected(platform::StandaloneTable& table) { return SelectedIds(table.SelectionSet()); }
void Select(platform::FeatureLayer& layer, const Ids& ids) { Replace(layer.SelectionSet(), ids); }
void Select(platform::StandaloneTable& table, const Ids& ids) { Replace(table.SelectionSet(), ids); }

std::vector<DbfRow> ReadDbf(const std::string& path) {
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset) throw std::runtime_error("cannot read " + path);
    std::vector<DbfRow> rows;
    OGRLayer* layer = dataset->GetLayer(0);
    for (const auto& feature : *layer) {
        DbfRow row;
        for (int i = 0; i < feature->GetFieldCount(); ++i)
            row[feature->GetFieldDefnRef(i)->GetNameRef()] = feature->IsFieldSetAndNotNull(i) ? feature->GetFieldAsString(i) : "<null>";
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> DbfFieldNames(const std::string& path) {
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset) throw std::runtime_error("cannot read " + path);
    std::vector<std::string> names;
    OGRFeatureDefn* definition = dataset->GetLayer(0)->GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i) names.push_back(definition->GetFieldDefn(i)->GetNameRef());
    return names;
}

}  // namespace qstest
