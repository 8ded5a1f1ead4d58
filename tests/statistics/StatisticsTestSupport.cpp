#include "StatisticsTestSupport.h"

#include <cstdlib>
#include <regex>
#include <stdexcept>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/data/SelectionSet.h"
#include "platform/forms/Form.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "src/core/ErrorHandling.h"
#include "src/statistics/StatisticsPipeline.h"
#include "src/statistics/StatsDialogSettings.h"
#include "src/statistics/TableLayerCollection.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace statstest {
namespace {

using Cell = std::optional<double>;
constexpr Cell kNull = std::nullopt;

struct Column {
    const char* name;
    OGRFieldType type;
};

GDALDataset* Create(const std::string& path, const char* driverName) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    if (!driver) throw std::runtime_error(std::string("no GDAL driver ") + driverName);
    GDALDataset* dataset = driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (!dataset) throw std::runtime_error("cannot create " + path);
    return dataset;
}

// One layer of points (or a table when `points` is false), a row per entry of
// `rows`, the row's point at (its number, 0).
void WriteLayer(GDALDataset& dataset, const char* name, bool points, const std::vector<Column>& columns,
                const std::vector<std::vector<Cell>>& rows, const char* text = nullptr) {
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRLayer* layer = dataset.CreateLayer(name, points ? &wgs84 : nullptr, points ? wkbPoint : wkbNone, nullptr);
    if (!layer) throw std::runtime_error(std::string("layer ") + name);
    for (const Column& column : columns) {
        OGRFieldDefn field(column.name, column.type);
        if (column.type == OFTReal) {
            field.SetWidth(18);
            field.SetPrecision(6);
        }
        if (layer->CreateField(&field) != OGRERR_NONE) throw std::runtime_error(std::string("field ") + column.name);
    }
    if (text) {
        OGRFieldDefn field(text, OFTString);
        field.SetWidth(20);
        layer->CreateField(&field);
    }
    int number = 0;
    for (const auto& row : rows) {
        OGRFeature feature(layer->GetLayerDefn());
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int index = static_cast<int>(i);
            if (!row[i])
                feature.SetFieldNull(index);
            else if (columns[i].type == OFTInteger)
                feature.SetField(index, static_cast<int>(*row[i]));
            else
                feature.SetField(index, *row[i]);
        }
        if (text) feature.SetField(text, ("row " + std::to_string(number)).c_str());
        OGRPoint point(number++, 0);
        if (points) feature.SetGeometry(&point);
        if (layer->CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
    }
}

}  // namespace

StatisticsTest::StatisticsTest() {
    installed_ = std::make_unique<testsupport::InstalledHost>(ui_, host_);
    app_ = std::make_shared<platform::Application>();
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-stats-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    folder_ = pattern;
    WriteData();
}

StatisticsTest::~StatisticsTest() {
    app_.reset();
    installed_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void StatisticsTest::WriteData() const {
    {
        GDALDatasetUniquePtr shapes(Create(Data("gauges.shp"), "ESRI Shapefile"));
        WriteLayer(*shapes, "gauges", true, {{"LEVEL", OFTReal}, {"DEPTH", OFTInteger}},
                   {{2, 10}, {4, 20}, {4, 10}, {6, 20}, {-9999, 30}, {kNull, 40}}, "NAME");
    }
    {
        GDALDatasetUniquePtr table(Create(Data("readings.dbf"), "ESRI Shapefile"));
        WriteLayer(*table, "readings", false, {{"FLOW", OFTReal}}, {{5}, {7}, {7}, {kNull}});
    }
    GDALDatasetUniquePtr gpkg(Create(Data("wells.gpkg"), "GPKG"));
    WriteLayer(*gpkg, "wells", true, {{"YIELD", OFTReal}, {"DEPTH", OFTInteger}},
               {{1.5, 100}, {1.5, 200}, {2.5, 200}, {2.5, 300}, {3, kNull}});
    WriteLayer(*gpkg, "single", true, {{"VALUE", OFTReal}}, {{42.5}});
    WriteLayer(*gpkg, "empty", true, {{"VALUE", OFTReal}}, {});
    WriteLayer(*gpkg, "flat", true, {{"VALUE", OFTReal}}, {{1}, {2}, {3}});
    WriteLayer(*gpkg, "voids", true, {{"VALUE", OFTReal}}, {{kNull}, {kNull}});
    WriteLayer(*gpkg, "odd", true, {{"GOOD", OFTReal}, {"X]Y", OFTReal}}, {{1, 3}, {2, 4}});
}

std::string StatisticsTest::Data(const std::string& name) const { return (folder_ / name).string(); }

std::shared_ptr<platform::FeatureLayer> StatisticsTest::Gauges(const std::string& name) {
    auto layer = platform::FeatureLayer::Open(name, Data("gauges.shp"));
    EXPECT_TRUE(layer->Valid()) << layer->OpenError();
    return layer;
}

std::shared_ptr<platform::FeatureLayer> StatisticsTest::Wells(const std::string& layerName, const std::string& name) {
    auto layer = platform::FeatureLayer::Open(name, Data("wells.gpkg"), layerName);
    EXPECT_TRUE(layer->Valid()) << layer->OpenError();
    return layer;
}

std::shared_ptr<platform::StandaloneTable> StatisticsTest::Readings(const std::string& name) {
    auto table = platform::StandaloneTable::Open(name, Data("readings.dbf"));
    EXPECT_TRUE(table->Valid()) << table->OpenError();
    return table;
}

std::shared_ptr<tessaly::TableLayerCollection> StatisticsTest::Candidates(
    std::initializer_list<std::shared_ptr<platform::HostObject>> items) {
    auto candidates = std::make_shared<tessaly::TableLayerCollection>();
    for (const auto& item : items) candidates->Append(item);
    return candidates;
}

void StatisticsTest::Choose(const DialogChoice& choice) {
    ui_->WhenModal("tessaly_ThemeIDDialog", [choice](platform::Form& form) {
        auto& dialog = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
        if (choice.cancel) {
            dialog.cmdCancel.UserClick();
            return;
        }
        if (choice.layer >= 0) dialog.lbxTheme.UserClick(choice.layer);
        for (int row : choice.fieldRows) dialog.lbxField.UserClick(row);
        if (choice.selectedOnly) (*choice.selectedOnly ? dialog.optSelected : dialog.optAll).UserClick();
        if (choice.ignore) {
            if (dialog.chkNoData.Value() != platform::vbChecked) dialog.chkNoData.UserClick();
            dialog.txtNoData.SetText(*choice.ignore);
        }
        if (choice.decimals >= 0) dialog.cbxDecPlaces.UserSelect(choice.decimals);
        dialog.cmdOK.UserClick();
    });
}

std::string StatisticsTest::Run(tessaly::StatsDialogSettings& settings,
                                std::shared_ptr<tessaly::TableLayerCollection> candidates,
                                std::shared_ptr<platform::HostObject> preselected, std::size_t rule) {
    std::string shown;
    tessaly::StatisticsCaller caller;
    caller.application = app_;
    caller.candidates = std::move(candidates);
    caller.currentSelected = std::move(preselected);
    caller.ruleAfterIgnoredValues = rule;
    caller.showReport = [&](const std::string& report) {
        shown = report;
        ++reportsShown_;
    };
    tessaly::RunStatistics(caller, settings);
    return shown;
}

std::string WithoutCompletionLine(const std::string& report) {
    static const std::regex completion("Analysis Complete:   [^\r\n]+\r\n[^\r\n]+$");
    std::smatch match;
    if (!std::regex_search(report, match, completion)) {
        ADD_FAILURE() << "no completion line at the end of:\n" << report;
        return report;
    }
    return report.substr(0, static_cast<std::size_t>(match.position(0)));
}

void Select(platform::FeatureLayer& layer, const std::vector<long long>& ids) {
    layer.SelectionSet()->Clear();
    for (long long id : ids) layer.SelectionSet()->Add(id);
}

void Select(platform::StandaloneTable& table, const std::vector<long long>& ids) {
    table.SelectionSet()->Clear();
    for (long long id : ids) table.SelectionSet()->Add(id);
}

}  // namespace statstest
