// Every value the query builder lists, applied as "field = value" through the
// dialog, selects exactly the rows that hold it, on every kind of data and in
// every locale.
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "QueryBuilderTestSupport.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "tests/support/GdalTestData.h"
#include "tests/support/TrialTable.h"

namespace qstest {
namespace {

using Strings = std::vector<std::string>;

// One row per kind of trouble; the last holds Null in every column.
void WriteRows(GDALDataset& dataset, const char* name, OGRwkbGeometryType type) {
    OGRLayer& layer = testsupport::NewLayer(dataset, name, type);
    testsupport::AddField(layer, "TXT", OFTString, 20);
    testsupport::AddField(layer, "N", OFTInteger, 9);
    testsupport::AddField(layer, "BIG", OFTInteger64, 18);
    testsupport::AddField(layer, "R", OFTReal, 24, 17);
    testsupport::AddField(layer, "D", OFTDate);
    testsupport::AddField(layer, "DT", OFTDateTime);
    struct Row {
        const char* text;
        int n;
        GIntBig big;
        double r;
        int day;    // of May 2001
        int hour;   // of DT; DT's day is `day`
        int minute;
        GIntBig fid;  // in a GeoPackage; a shapefile counts its rows
    };
    const Row rows[] = {
        {"O'Neil", 1, 12345678901234567LL, 0.1 + 0.2, 3, 10, 20, 1},
        {"a\\'b", -3, 5, 0.3, 4, 0, 0, 2147483653LL},
        {"plain", 2, -9007199254740993LL, 1e-7, 3, 0, 0, 9007199254740993LL},
        {"Plain", 1, 5000000000LL, 0.1, 5, 23, 59, 9223372036854775806LL},
        {"ends\\", 2, 7, 2.5, 4, 10, 20, 9007199254740992LL},
    };
    int point = 0;
    for (const Row& row : rows) {
        OGRFeature feature(layer.GetLayerDefn());
        feature.SetField("TXT", row.text);
        feature.SetField("N", row.n);
        feature.SetField("BIG", row.big);
        feature.SetField("R", row.r);
        feature.SetField(feature.GetFieldIndex("D"), 2001, 5, row.day, 0, 0, 0, 0);
        feature.SetField(feature.GetFieldIndex("DT"), 2001, 5, row.day, row.hour, row.minute, 30, 0);
        if (std::string(dataset.GetDriverName()) == "GPKG") feature.SetFID(row.fid);
        ++point;
        OGRPoint where(point, point);
        if (type != wkbNone) feature.SetGeometry(&where);
        if (layer.CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
    }
    OGRFeature nulls(layer.GetLayerDefn());
    for (int i = 0; i < nulls.GetFieldCount(); ++i) nulls.SetFieldNull(i);
    OGRPoint where(9, 9);
    if (type != wkbNone) nulls.SetGeometry(&where);
    if (layer.CreateFeature(&nulls) != OGRERR_NONE) throw std::runtime_error("feature");
}

// Takes the declared encoding off a dBASE table (its language byte and any
// .cpg) and writes Windows-1252 bytes into it: "plain" becomes "Café".
void WithoutDeclaredEncoding(const std::filesystem::path& dbf) {
    std::filesystem::remove(std::filesystem::path(dbf).replace_extension(".cpg"));
    std::fstream file(dbf, std::ios::in | std::ios::out | std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    bytes[29] = 0;
    const auto at = bytes.find("plain");
    if (at == std::string::npos) throw std::runtime_error("no text to change");
    bytes.replace(at, 5, "Caf\xe9 ");
    file.seekp(0);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The stored value of one field of one feature, as GDAL reads it, exactly.
std::string StoredValue(const OGRFeature& feature, const char* field) {
    const int index = feature.GetFieldIndex(field);
    if (index < 0) return std::to_string(feature.GetFID());  // the object ID
    if (!feature.IsFieldSetAndNotNull(index)) return "<null>";
    char buffer[64];
    switch (feature.GetFieldDefnRef(index)->GetType()) {
    case OFTInteger:
    case OFTInteger64: return std::to_string(feature.GetFieldAsInteger64(index));
    case OFTReal: std::snprintf(buffer, sizeof buffer, "%.17g", feature.GetFieldAsDouble(index)); return buffer;
    default: {
        // A table without a declared encoding may hold Windows-1252 bytes.
        const char* text = feature.GetFieldAsString(index);
        if (CPLIsUTF8(text, -1)) return text;
        const std::unique_ptr<char, decltype(&CPLFree)> decoded(CPLRecode(text, "CP1252", CPL_ENC_UTF8), CPLFree);
        return decoded.get();
    }
    }
}

// Object ID -> stored value of the field, read straight from the file.
std::map<long long, std::string> StoredValues(const std::string& path, const std::string& layerName,
                                              const char* field) {
    GDALDatasetUniquePtr dataset = testsupport::OpenRead(path);
    OGRLayer* layer = layerName.empty() ? dataset->GetLayer(0) : dataset->GetLayerByName(layerName.c_str());
    std::map<long long, std::string> values;
    for (auto& feature : *layer) values[feature->GetFID()] = StoredValue(*feature, field);
    // SQLite compares a GeoPackage date-time as the text it stores.
    const int index = layer->GetLayerDefn()->GetFieldIndex(field);
    if (index >= 0 && layer->GetLayerDefn()->GetFieldDefn(index)->GetType() == OFTDateTime && path.ends_with(".gpkg")) {
        const std::string sql = "SELECT fid, CAST(\"" + std::string(field) + "\" AS TEXT) AS v FROM \"" + layerName + "\"";
        OGRLayer* texts = dataset->ExecuteSQL(sql.c_str(), nullptr, nullptr);
        for (auto& feature : *texts)
            if (feature->IsFieldSetAndNotNull(0)) values[feature->GetFID()] = feature->GetFieldAsString(0);
        dataset->ReleaseResultSet(texts);
    }
    return values;
}

struct Theme {
    std::string name;
    std::string path;
    std::string layer;
    bool points;
};

class ListedValues : public QueryBuilderTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr) << GetParam() << " is not installed";
        // A shapefile keeps DT as a date; GDAL says so.
        CPLPushErrorHandler(CPLQuietErrorHandler);
        const auto folder = Folder() / "exact";
        std::filesystem::create_directories(folder);
        WriteRows(*testsupport::Create(folder / "rows.shp", "ESRI Shapefile"), "rows", wkbPoint);
        WriteRows(*testsupport::Create(folder / "table.dbf", "ESRI Shapefile"), "table", wkbNone);
        WriteRows(*testsupport::Create(folder / "rows.csv", "CSV"), "rows", wkbNone);
        WriteRows(*testsupport::Create(folder / "latin.dbf", "ESRI Shapefile"), "latin", wkbNone);
        WithoutDeclaredEncoding(folder / "latin.dbf");
        {
            auto geopackage = testsupport::Create(folder / "rows.gpkg", "GPKG");
            WriteRows(*geopackage, "rows", wkbPoint);
            WriteRows(*geopackage, "table", wkbNone);
            // Date-times as other tools write them: with a Z, without
            // milliseconds, with a blank instead of the T; one instant in two forms.
            geopackage->ExecuteSQL("UPDATE \"table\" SET DT = CASE fid WHEN 1 THEN '2001-05-03T10:20:30Z' WHEN 2147483653 "
                                   "THEN '2001-05-04 00:00:30' WHEN 9223372036854775806 THEN '2001-05-05T23:59:30' "
                                   "WHEN 9007199254740992 THEN '2001-05-03T10:20:30.000Z' ELSE DT END",
                                   nullptr, nullptr);
        }
        // As the theme list holds them: the layers first, then the tables.
        themes_ = {{"shapefile", (folder / "rows.shp").string(), "", true},
                   {"GeoPackage layer", (folder / "rows.gpkg").string(), "rows", true},
                   {"dBASE", (folder / "table.dbf").string(), "", false},
                   {"CSV", (folder / "rows.csv").string(), "", false},
                   {"Windows-1252 dBASE", (folder / "latin.dbf").string(), "", false},
                   {"GeoPackage table", (folder / "rows.gpkg").string(), "table", false}};
        // The trial table: key-word and non-ASCII column names, case and trailing-blank pairs, -0.0.
        testsupport::WriteTrialSources(folder / "trial");
        for (const auto& source : testsupport::kTrialSources)
            themes_.insert(source.points ? themes_.begin() + 2 : themes_.end(),
                           {std::string("trial ") + source.name, (folder / "trial" / source.file).string(), source.layer,
                            source.points});
        CPLPopErrorHandler();
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    std::vector<Theme> themes_;
};

TEST_P(ListedValues, EachSelectsExactlyTheRowsHoldingItOnEveryKindOfData) {
    std::vector<std::shared_ptr<platform::HostObject>> items;
    for (const Theme& theme : themes_) {
        if (theme.points)
            items.push_back(platform::FeatureLayer::Open(theme.name, theme.path, theme.layer));
        else
            items.push_back(platform::StandaloneTable::Open(theme.name, theme.path, theme.layer));
        AddToMap({items.back()});
    }
    std::set<std::string> seen;
    Query([&](QueryDialog& dialog) {
        for (std::size_t t = 0; t < themes_.size(); ++t) {
            const Theme& theme = themes_[t];
            dialog.lbxThemes.UserClick(static_cast<int>(t));
            const Strings fields = Lines(dialog.lbxFields);
            for (std::size_t f = 0; f < fields.size(); ++f) {
                const std::map<long long, std::string> stored = StoredValues(theme.path, theme.layer, fields[f].c_str());
                dialog.lbxFields.UserClick(static_cast<int>(f));
                dialog.cmdUpdate.UserClick();
                const Strings values = Lines(dialog.lbxValues);
                std::set<long long> covered;
                for (std::size_t v = 0; v < values.size(); ++v) {
                    const std::string where = std::string(theme.name) + " " + fields[f] + " = " + values[v];
                    TypeQuery(dialog, "");
                    dialog.lbxFields.UserDoubleClick(static_cast<int>(f));
                    dialog.cmdEquals.UserClick();
                    dialog.lbxValues.UserDoubleClick(static_cast<int>(v));
                    dialog.cmdNewSet.UserClick();
                    const auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(items[t]);
                    const Ids selected = table ? Selected(*table)
                                               : Selected(*std::dynamic_pointer_cast<platform::FeatureLayer>(items[t]));
                    ASSERT_FALSE(selected.empty()) << where << " selects nothing";
                    const std::string value = stored.at(selected.front());
                    for (const auto& [id, held] : stored) {
                        const bool chosen = std::find(selected.begin(), selected.end(), id) != selected.end();
                        EXPECT_EQ(chosen, held == value) << where << ": row " << id << " holds " << held;
                    }
                    for (long long id : selected) EXPECT_TRUE(covered.insert(id).second) << where;
                    seen.insert(values[v]);
                }
                std::size_t nonNull = 0;
                for (const auto& [id, held] : stored) nonNull += held != "<null>";
                EXPECT_EQ(covered.size(), nonNull) << theme.name << " " << fields[f] << ": every value is listed";
            }
        }
    });
    EXPECT_TRUE(Boxes().empty()) << Boxes().front().title << " " << Boxes().front().text;
    EXPECT_TRUE(Reports().empty()) << Reports().front();
    for (const char* line : {"'O''Neil'", "'a\\\\'b'", "'a\\''b'", "SUBSTR('ends\\ ', 1, 5)", "'ends\\'", "'plain'",
                             "'Plain'", "'Caf\xc3\xa9'", "12345678901234567", "0.30000000000000004", "1E-07", "'2001-05-03'",
                             "'2001-05-03T10:20:30Z'", "'2001-05-03T10:20:30.000Z'", "'2001-05-04 00:00:30'", "'2001-05-05T23:59:30'",
                             "'2001-05-03T00:00:30.000'", "5000000000", "-9007199254740993", "2147483653",
                             "9007199254740993", "9007199254740992", "9223372036854775806", "'x '", "'CAF\xc3\x89'"})
        EXPECT_EQ(seen.count(line), 1u) << line << " was listed";
}

INSTANTIATE_TEST_SUITE_P(Locales, ListedValues, ::testing::Values("C", "de_DE.UTF-8"),
                         [](const auto& info) { return std::string(info.param[0] == 'C' ? "C" : "German"); });

}  // namespace
}  // namespace qstest
