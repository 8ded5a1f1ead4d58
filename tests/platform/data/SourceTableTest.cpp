#include "platform/data/SourceTable.h"
#include "platform/data/WhereClause.h"

#include <fstream>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
#include "platform/data/MemorySource.h"
#include "platform/data/QueryFilter.h"
#include "tests/support/TrialTable.h"

using platform::SourceTable;
using platform::Variant;
using namespace testdata;

namespace {

struct KindCase {
    const char* label;
    std::string path;
    std::string layer;
    std::vector<std::pair<std::string, int>> fields;  // name, type code
    std::string dataSourceType;
    std::string workspaceDescription;
    std::string workspacePath;
};

std::vector<KindCase> KindCases() {
    const auto& d = Data();
    return {
        {"shapefile", d.Shapefile(), "",
         {{"FID", 6}, {"Shape", 7}, {"NAME", 4}, {"POP", 1}, {"AREA", 3}, {"CODE", 0}, {"FOUNDED", 5}, {"BIG", 3}},
         "Shapefile Feature Class", "Shapefiles", d.Path().string()},
        {"geopackage layer", d.GeoPackage(), "cities",
         {{"fid", 6}, {"Shape", 7}, {"NAME", 4}, {"POP", 1}, {"AREA", 3}, {"CODE", 0}, {"FOUNDED", 5}, {"BIG", 3}},
         "Personal Geodatabase Feature Class", "Personal Geodatabase", d.GeoPackage()},
        {"geopackage table", d.GeoPackage(), "notes", {{"fid", 6}, {"TEXT", 4}, {"SCORE", 2}},
         "Personal Geodatabase Feature Class", "Personal Geodatabase", d.GeoPackage()},
        {"dbase", d.Dbase(), "", {{"FID", 6}, {"NAME", 4}, {"AGE", 0}, {"SALARY", 3}}, "Shapefile Feature Class",
         "Shapefiles", d.Path().string()},
        {"csv", d.Csv(), "", {{"FID", 6}, {"REGION", 4}, {"AMOUNT", 3}, {"DAY", 5}},
         "Comma Separated Value (.csv) Feature Class", "Comma Separated Value (.csv)", d.Csv()},
    };
}

}  // namespace

TEST(SourceTable, ListsObjectIdThenShapeThenAttributesWithHostTypeCodes) {
    for (const auto& c : KindCases()) {
        SCOPED_TRACE(c.label);
        auto table = SourceTable::Open(c.path, c.layer);
        auto fields = table->Fields();
        ASSERT_EQ(fields->FieldCount(), static_cast<int>(c.fields.size()));
        for (int i = 0; i < fields->FieldCount(); ++i) {
            EXPECT_EQ(fields->Field(i)->Name(), c.fields[i].first);
            EXPECT_EQ(fields->Field(i)->Type(), c.fields[i].second) << c.fields[i].first;
            EXPECT_EQ(fields->Field(i)->AliasName(), c.fields[i].first);
        }
        EXPECT_EQ(table->OIDFieldName(), c.fields[0].first);
        EXPECT_EQ(table->HasShape(), c.fields[1].first == "Shape");
    }
}

TEST(SourceTable, NamesItsKindAndWorkspaceAsTheHostDoes) {
    for (const auto& c : KindCases()) {
        SCOPED_TRACE(c.label);
        auto table = SourceTable::Open(c.path, c.layer);
        EXPECT_EQ(table->DataSourceType(), c.dataSourceType);
        auto workspace = table->Workspace();
        ASSERT_TRUE(workspace);
        EXPECT_EQ(workspace->WorkspaceFactory()->WorkspaceDescription(false), c.workspaceDescription);
        EXPECT_EQ(workspace->PathName(), c.workspacePath);
        EXPECT_TRUE(workspace->Exists());
    }
}

TEST(SourceTable, MemoryLayerIsNamedAfterItsDriver) {
    auto table = platform::OpenMemoryLayer(MemoryParts(), "parts");
    EXPECT_EQ(table->DataSourceType(), "Memory Feature Class");
    EXPECT_EQ(table->Workspace()->WorkspaceFactory()->WorkspaceDescription(false), "Memory");
    EXPECT_EQ(table->RowCount(nullptr), 4);
}

TEST(SourceTable, FindFieldIgnoresLetterCaseAndAnswersMinusOneForUnknownNames) {
    auto table = SourceTable::Open(Data().Shapefile());
    EXPECT_EQ(table->FindField("name"), 2);
    EXPECT_EQ(table->FindField("Fid"), 0);
    EXPECT_EQ(table->FindField("shape"), 1);
    EXPECT_EQ(table->FindField("NOPE"), -1);
    EXPECT_EQ(ExpectComError([&] { table->Fields()->Field(8); }).Number(), platform::E_INVALIDARG);
}

// Names that differ only in case (a GDAL Memory layer keeps both): each finds
// and reads its own field, whichever other fields a search leaves out.
TEST(SourceTable, FieldsWhoseNamesDifferOnlyInCaseEachReadTheirOwnValues) {
    std::shared_ptr<GDALDataset> dataset = MemoryParts();
    OGRLayer* layer = dataset->GetLayer(0);
    OGRFieldDefn upper("kind", OFTString);
    ASSERT_EQ(layer->CreateField(&upper), OGRERR_NONE);
    for (auto& feature : *layer) {
        feature->SetField(feature->GetFieldCount() - 1, "lower");  // by name GDAL would pick KIND
        ASSERT_EQ(layer->SetFeature(feature.get()), OGRERR_NONE);
    }
    auto table = platform::OpenMemoryLayer(dataset, "parts");
    for (const auto& [name, value] : {std::pair{"KIND", "x"}, {"kind", "lower"}}) {
        auto only = Where("", name);
        EXPECT_EQ(Texts(Column(*table, name, &only)).front(), value) << name;
    }
}

TEST(SourceTable, ReadsValuesAsHostVariants) {
    auto table = SourceTable::Open(Data().Shapefile());
    auto cursor = table->Search(nullptr, false);
    auto row = cursor->NextRow();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->OID(), 0);
    EXPECT_EQ(row->Value(0), Variant(0));
    EXPECT_TRUE(row->Value(1).IsEmpty()) << "the shape is read through Shape()";
    EXPECT_EQ(row->Shape().ToWkt(), "POINT (10.75 59.91)");
    EXPECT_EQ(row->Value(2), Variant("Oslo"));
    EXPECT_EQ(row->Value(3), Variant(700000));
    EXPECT_DOUBLE_EQ(row->Value(4).AsDouble(), 454.03);
    EXPECT_EQ(row->Value(5), Variant(3));
    EXPECT_EQ(row->Value(6).ToText(), "1950-05-17");
    EXPECT_EQ(row->Value(7), Variant::LongLong(5000000000)) << "64-bit integers read exactly";
}

TEST(SourceTable, ReadsMissingValuesAsNull) {
    struct Case {
        const char* label;
        std::string path;
        std::string layer;
        std::string field;
        std::vector<std::string> values;
    };
    const auto& d = Data();
    const std::string blank = std::string(TESSALY_TEST_DATA_DIR) + "/blank_numbers.dbf";
    const Case cases[] = {
        {"shapefile integer", d.Shapefile(), "", "POP", {"700000", "285000", "<null>", "20000", "1000"}},
        {"shapefile real", d.Shapefile(), "", "AREA", {"454.03", "465.3", "2521", "<null>", "10.5"}},
        {"shapefile date", d.Shapefile(), "", "FOUNDED", {"1950-05-17", "1970-01-01", "<null>", "2000-02-29", "1950-05-17"}},
        {"geopackage", d.GeoPackage(), "cities", "POP", {"700000", "285000", "<null>", "20000", "1000"}},
        {"dbase written null", d.Dbase(), "", "SALARY", {"1200.5", "<null>", "900"}},
        {"dbase blank number", blank, "", "AGE", {"34", "<null>", "51"}},
        {"dbase blank decimal", blank, "", "SALARY", {"1200.5", "<null>", "<null>"}},
        {"csv empty number", d.Csv(), "", "AMOUNT", {"10.5", "7.25", "<null>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto table = SourceTable::Open(c.path, c.layer);
        EXPECT_EQ(Texts(Column(*table, c.field)), c.values);
    }
}

TEST(SourceTable, MissingSourceFailsCleanlyWithGdalsMessageAndNothingPrinted) {
    const std::string missing = Data().File("nowhere.shp");
    auto error = ExpectComError([&] { SourceTable::Open(missing); });
    EXPECT_EQ(error.Number(), platform::E_FAIL);
    EXPECT_NE(error.Description().find("nowhere.shp"), std::string::npos) << error.Description();

    auto missingLayer = ExpectComError([&] { SourceTable::Open(Data().GeoPackage(), "rivers"); });
    EXPECT_EQ(missingLayer.Number(), platform::E_FAIL);
    EXPECT_NE(missingLayer.Description().find("rivers"), std::string::npos);
}

TEST(SourceTable, DataThatWentAwayIsADataProblemNotARejectedClause) {
    DataFolder own;
    auto table = SourceTable::Open(own.Shapefile());
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj", ".cpg"}) std::filesystem::remove(own.File(std::string("cities") + ext));
    EXPECT_EQ(ExpectComError([&] { table->Search(nullptr, false); }).Number(), platform::E_DATAUNREADABLE);
    auto filter = Where("\"NAME\" = 'Oslo'");
    EXPECT_EQ(ExpectComError([&] { table->RowCount(&filter); }).Number(), platform::E_DATAUNREADABLE);
}

// GDAL settles the trial table's 20-digit column by reading every record: a
// record cut short, under an open table or before opening, is a data problem.
TEST(SourceTable, WideNumbersCutShortAreADataProblem) {
    DataFolder own;
    testsupport::WriteTrialSources(own.Path());
    const std::string path = (own.Path() / "trial_table.dbf").string();
    auto table = SourceTable::Open(path);
    ASSERT_TRUE(table->Search(nullptr, false)->NextRow());
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 5);
    EXPECT_EQ(ExpectComError([&] { table->Search(nullptr, false); }).Number(), platform::E_DATAUNREADABLE);
    EXPECT_EQ(ExpectComError([&] { SourceTable::Open(path); }).Number(), platform::E_FAIL);
}

TEST(SourceTable, ExtentCoversEveryShapeInItsSpatialReference) {
    auto table = SourceTable::Open(Data().Shapefile());
    auto extent = table->Extent();
    EXPECT_DOUBLE_EQ(extent.XMin(), 5.32);
    EXPECT_DOUBLE_EQ(extent.YMax(), 69.97);
    EXPECT_TRUE(extent.SpatialReference().IsSame(platform::SpatialReference::FromEpsg(4326)));
    EXPECT_TRUE(SourceTable::Open(Data().Dbase())->Extent().IsEmpty());
}

TEST(SourceTable, FullNameIsATableNameInItsWorkspace) {
    auto table = SourceTable::Open(Data().Dbase());
    auto name = std::dynamic_pointer_cast<platform::TableName>(table->FullName());
    ASSERT_TRUE(name);
    EXPECT_EQ(name->Name(), "people");
    ASSERT_TRUE(name->WorkspaceName());
    EXPECT_EQ(name->WorkspaceName()->PathName(), Data().Path().string());
}

namespace {

// A dBASE III table with one text field NAME (20 characters) holding `names`
// as they are, and no .cpg beside it.
void WriteDbaseWithoutCodePage(const std::filesystem::path& path, const std::vector<std::string>& names) {
    std::string bytes(32, '\0');
    bytes[0] = 3;
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>((names.size() >> (8 * i)) & 0xFF);
    bytes[8] = 65;  // header length: 32 + one field of 32 + the terminator
    bytes[10] = 21;  // record length: the deletion flag + 20
    std::string field(32, '\0');
    field.replace(0, 4, "NAME");
    field[11] = 'C';
    field[16] = 20;
    bytes += field + "\r";
    for (const auto& name : names) bytes += " " + name + std::string(20 - name.size(), ' ');
    bytes += "\x1A";
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(SourceTable, TextThatIsNotUtf8InATableWithoutCodePageReadsAsWindows1252) {
    DataFolder own;
    const auto path = own.Path() / "latin.dbf";
    WriteDbaseWithoutCodePage(path, {"Z\xFCrich", "Caf\xE9 \x80", "Gen\xC3\xA8ve"});
    auto table = SourceTable::Open(path.string());
    EXPECT_EQ(Texts(Column(*table, "NAME")),
              (std::vector<std::string>{"Z\xC3\xBCrich", "Caf\xC3\xA9 \xE2\x82\xAC", "Gen\xC3\xA8ve"}));
}
