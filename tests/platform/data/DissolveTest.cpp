#include "platform/data/Geoprocessor.h"

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/data/MemorySource.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/SourceTable.h"
#include "platform/data/TableView.h"
#include "platform/data/Workspace.h"

using platform::SourceTable;
using platform::Variant;
using namespace testdata;

namespace {

// What a layer is to the geoprocessor: a table view that keeps a selection.
class SelectableTable : public platform::Table, public platform::TableSelection {
public:
    explicit SelectableTable(std::shared_ptr<SourceTable> source)
        : view_(std::make_shared<platform::TableView>(std::move(source))),
          selection_(std::make_shared<platform::SelectionSet>(view_)) {}

    std::shared_ptr<const platform::Fields> Fields() const override { return view_->Fields(); }
    bool HasOID() const override { return true; }
    std::string OIDFieldName() const override { return view_->OIDFieldName(); }
    std::shared_ptr<platform::Cursor> Search(const platform::QueryFilter* f, bool r) override { return view_->Search(f, r); }
    std::int64_t RowCount(const platform::QueryFilter* f) override { return view_->RowCount(f); }

    std::shared_ptr<platform::SelectionSet> SelectionSet() override { return selection_; }
    void SelectRows(const platform::QueryFilter* f, int method, bool) override { selection_->Select(f, method); }
    void Clear() override { selection_->Clear(); }
    void SelectionChanged() override {}

private:
    std::shared_ptr<platform::TableView> view_;
    std::shared_ptr<platform::SelectionSet> selection_;
};

// An output name the way the summary dialog builds it: a folder workspace and a table name.
std::shared_ptr<platform::TableName> OutputName(const std::string& folder, const std::string& name) {
    auto workspace = platform::FolderWorkspaceFactory().OpenFromFile(folder, 0);
    auto result = std::make_shared<platform::TableName>();
    result->Name(name);
    result->WorkspaceName(std::dynamic_pointer_cast<platform::WorkspaceName>(workspace->FullName()));
    return result;
}

class Dissolve : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-dissolve-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        out_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(out_); }
    std::string out_;
};

// A table whose cursor runs `atEnd` once its last row is read: between the
// dissolve's reading and its writing.
class TableWithHook : public platform::Table {
public:
    TableWithHook(std::shared_ptr<platform::Table> table, std::function<void()> atEnd)
        : table_(std::move(table)), atEnd_(std::move(atEnd)) {}
    std::shared_ptr<const platform::Fields> Fields() const override { return table_->Fields(); }
    bool HasOID() const override { return table_->HasOID(); }
    std::string OIDFieldName() const override { return table_->OIDFieldName(); }
    std::int64_t RowCount(const platform::QueryFilter* f) override { return table_->RowCount(f); }
    std::shared_ptr<platform::Cursor> Search(const platform::QueryFilter* f, bool r) override {
        struct Hooked : platform::Cursor {
            std::shared_ptr<platform::Cursor> rows;
            std::function<void()> atEnd;
            std::shared_ptr<platform::Row> NextRow() override {
                auto row = rows->NextRow();
                if (!row && atEnd) std::exchange(atEnd, nullptr)();
                return row;
            }
            std::shared_ptr<const platform::Fields> Fields() const override { return rows->Fields(); }
        };
        auto cursor = std::make_shared<Hooked>();
        cursor->rows = table_->Search(f, r);
        cursor->atEnd = atEnd_;
        return cursor;
    }

private:
    std::shared_ptr<platform::Table> table_;
    std::function<void()> atEnd_;
};

// Runs `work` in a child process and returns its exit code.
int InChild(const std::function<int()>& work) {
    const pid_t child = fork();
    if (child == 0) _exit(work());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::vector<std::string> Files(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// An input of n rows, N from 0 to n - 1 and X its square root, in memory.
std::shared_ptr<platform::Table> Rows(int n) {
    GDALAllRegister();
    std::shared_ptr<GDALDataset> dataset(GetGDALDriverManager()->GetDriverByName("Memory")->Create("rows", 0, 0, 0, GDT_Unknown, nullptr),
                                         [](GDALDataset* d) { GDALClose(d); });
    OGRLayer* layer = dataset->CreateLayer("rows", nullptr, wkbNone, nullptr);
    OGRFieldDefn number("N", OFTInteger), root("X", OFTReal);
    layer->CreateField(&number);
    layer->CreateField(&root);
    for (int i = 0; i < n; ++i) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField(0, i);
        feature.SetField(1, std::sqrt(i));
        if (layer->CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("feature");
    }
    return platform::OpenMemoryLayer(dataset, "rows");
}

std::vector<std::string> Names(const platform::Table& table) {
    std::vector<std::string> names;
    for (int i = 0; i < table.Fields()->FieldCount(); ++i) names.push_back(table.Fields()->Field(i)->Name());
    return names;
}

}  // namespace

TEST_F(Dissolve, WritesOneRecordPerCaseValueWithOneColumnPerStatistic) {
    auto input = std::make_shared<SelectableTable>(SourceTable::Open(Data().Shapefile()));
    auto output = platform::Geoprocessor().Dissolve(
        input, false, "NAME",
        "Minimum.NAME, Count.NAME, Sum.POP, StdDev.POP, Minimum.FOUNDED, Maximum.NAME, Average.AREA, Variance.POP",
        OutputName(out_, "summary.dbf"));
    ASSERT_TRUE(output);
    EXPECT_TRUE(std::filesystem::exists(out_ + "/summary.dbf"));
    EXPECT_EQ(Names(*output), (std::vector<std::string>{"FID", "Minimum_NA", "Count_NAME", "Sum_POP", "StdDev_POP",
                                                         "Minimum_FO", "Maximum_NA", "Average_AR", "Variance_P"}));
    const auto fields = output->Fields();
    EXPECT_EQ(fields->Field(1)->Type(), platform::fieldtype::String);
    EXPECT_EQ(fields->Field(2)->Type(), platform::fieldtype::Integer);
    EXPECT_EQ(fields->Field(3)->Type(), platform::fieldtype::Double);
    EXPECT_EQ(fields->Field(5)->Type(), platform::fieldtype::Date);

    EXPECT_EQ(Texts(Column(*output, "Minimum_NA")), (std::vector<std::string>{"Alta", "Bergen", "Oslo", "Tromso"}));
    EXPECT_EQ(Texts(Column(*output, "Count_NAME")), (std::vector<std::string>{"1", "1", "2", "1"}));
    EXPECT_EQ(Texts(Column(*output, "Sum_POP")), (std::vector<std::string>{"20000", "285000", "701000", "<null>"}));
    const auto deviations = Column(*output, "StdDev_POP");
    EXPECT_EQ(deviations[0].ToDouble(), 0) << "one value deviates by nothing";
    EXPECT_NEAR(deviations[2].ToDouble(), 699000 / std::sqrt(2.0), 1e-6) << "sample deviation";
    EXPECT_TRUE(deviations[3].IsNull()) << "no value, no deviation";
    EXPECT_EQ(Texts(Column(*output, "Minimum_FO")), (std::vector<std::string>{"2000-02-29", "1970-01-01", "1950-05-17", "<null>"}));
    EXPECT_EQ(Texts(Column(*output, "Average_AR")), (std::vector<std::string>{"<null>", "465.3", "232.265", "2521"}));
    EXPECT_NEAR(Column(*output, "Variance_P")[2].ToDouble(), 699000.0 * 699000.0 / 2, 1e-3);

    auto workspace = std::dynamic_pointer_cast<platform::Dataset>(output)->Workspace();
    EXPECT_EQ(workspace->WorkspaceFactory()->WorkspaceDescription(false), "Shapefiles");
}

TEST_F(Dissolve, SummarizesOnlyTheSelectedRecordsWhenAsked) {
    auto input = std::make_shared<SelectableTable>(SourceTable::Open(Data().GeoPackage(), "cities"));
    auto filter = Where("[CODE] = 3");
    input->SelectRows(&filter, platform::selectionresult::New, false);
    auto output = platform::Geoprocessor().Dissolve(input, true, "CODE", "Minimum.CODE, Count.CODE, Sum.POP",
                                                    OutputName(out_, "selected"));
    EXPECT_TRUE(std::filesystem::exists(out_ + "/selected.dbf")) << "the extension is added";
    EXPECT_EQ(Texts(Column(*output, "Count_CODE")), (std::vector<std::string>{"3"}));
    EXPECT_EQ(Texts(Column(*output, "Sum_POP")), (std::vector<std::string>{"701000"}));
}

TEST_F(Dissolve, KeepsCutColumnNamesUnique) {
    auto input = platform::OpenMemoryLayer(MemoryParts(), "parts");
    auto output = platform::Geoprocessor().Dissolve(
        input, false, "KIND", "Minimum.KIND, Count.KIND, Sum.POPULATION_A, Sum.POPULATION_B, Maximum.POPULATION_A",
        OutputName(out_, "parts.dbf"));
    EXPECT_EQ(Names(*output), (std::vector<std::string>{"FID", "Minimum_KI", "Count_KIND", "Sum_POPULA", "Sum_POPU_1",
                                                         "Maximum_PO"}));
    EXPECT_EQ(Texts(Column(*output, "Sum_POPU_1")), (std::vector<std::string>{"40", "20", "40"}));
}

TEST_F(Dissolve, RefusesBadArgumentsAndExistingOutput) {
    auto input = std::make_shared<SelectableTable>(SourceTable::Open(Data().Dbase()));
    platform::Geoprocessor geoprocessor;
    struct Case {
        const char* label;
        std::string caseField;
        std::string summary;
        std::string name;
        bool selectedOnly;
        std::int32_t number;
    };
    const Case cases[] = {
        {"unknown case field", "NOPE", "Count.NAME", "a.dbf", false, platform::E_INVALIDARG},
        {"unknown keyword", "NAME", "Median.AGE", "b.dbf", false, platform::E_INVALIDARG},
        {"sum of text", "NAME", "Sum.NAME", "c.dbf", false, platform::E_INVALIDARG},
        {"nothing to summarize", "NAME", " ", "d.dbf", false, platform::E_INVALIDARG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ExpectComError([&] { geoprocessor.Dissolve(input, c.selectedOnly, c.caseField, c.summary, OutputName(out_, c.name)); })
                      .Number(),
                  c.number);
        EXPECT_FALSE(std::filesystem::exists(out_ + "/" + c.name));
    }
    auto raw = SourceTable::Open(Data().Dbase());
    EXPECT_EQ(ExpectComError([&] { geoprocessor.Dissolve(raw, true, "NAME", "Count.NAME", OutputName(out_, "e.dbf")); }).Number(),
              platform::E_INVALIDARG)
        << "a raw table keeps no selection";

    geoprocessor.Dissolve(input, false, "NAME", "Count.NAME", OutputName(out_, "once.dbf"));
    EXPECT_EQ(ExpectComError([&] { geoprocessor.Dissolve(input, false, "NAME", "Count.NAME", OutputName(out_, "once.dbf")); }).Number(),
              platform::E_FAIL);
    EXPECT_EQ(ExpectComError([&] { geoprocessor.Dissolve(input, false, "NAME", "Count.NAME", OutputName(out_ + "/missing", "x.dbf")); }).Number(),
              platform::E_FAIL);
    // The files really written are "<name>.dbf" and "<name>.cpg", whatever the case of the ending given.
    EXPECT_EQ(ExpectComError([&] { geoprocessor.Dissolve(input, false, "NAME", "Count.NAME", OutputName(out_, "once.DBF")); }).Number(),
              platform::E_FAIL);
    std::ofstream(out_ + "/other.CPG") << "UTF-8";
    EXPECT_EQ(ExpectComError([&] { geoprocessor.Dissolve(input, false, "NAME", "Count.NAME", OutputName(out_, "other.dbf")); }).Number(),
              platform::E_FAIL);
    EXPECT_FALSE(std::filesystem::exists(out_ + "/other.dbf"));
}

TEST_F(Dissolve, NullCaseValuesMakeARecordOfTheirOwn) {
    auto input = SourceTable::Open(Data().Dbase());
    auto output = platform::Geoprocessor().Dissolve(input, false, "AGE", "Minimum.AGE, Count.AGE, Sum.SALARY",
                                                    OutputName(out_, "ages.dbf"));
    EXPECT_EQ(Texts(Column(*output, "Minimum_AG")), (std::vector<std::string>{"<null>", "34", "51"}));
    EXPECT_EQ(Texts(Column(*output, "Count_AGE")), (std::vector<std::string>{"1", "1", "1"}));
}

TEST_F(Dissolve, FilesAnotherProcessCreatesWhileTheInputIsReadStayUntouched) {
    const std::vector<std::vector<std::string>> theirs = {{"a.dbf", "a.cpg"}, {"b.dbf"}, {"c.cpg"}};
    for (const auto& files : theirs) {
        const std::string name = files.front().substr(0, 1);
        SCOPED_TRACE(name);
        auto input = std::make_shared<TableWithHook>(Rows(5), [&] {
            InChild([&] {
                for (const auto& file : files) std::ofstream(out_ + "/" + file) << "theirs";
                return 0;
            });
        });
        EXPECT_EQ(ExpectComError([&] { platform::Geoprocessor().Dissolve(input, false, "N", "Count.N, Sum.X", OutputName(out_, name + ".dbf")); })
                      .Number(),
                  platform::E_FAIL);
        for (const auto& file : files) EXPECT_EQ(Contents(out_ + "/" + file), "theirs");
    }
    EXPECT_EQ(Files(out_), (std::vector<std::string>{"a.cpg", "a.dbf", "b.dbf", "c.cpg"})) << "nothing of ours left";
}

// Every file-size limit up to the table's length, in a child process: each leaves the whole table or nothing.
TEST_F(Dissolve, EveryFileSizeLimitLeavesTheWholeTableOrNothing) {
    const auto input = Rows(6);
    const std::string summary = "Count.N, Sum.X, StdDev.X";
    platform::Geoprocessor().Dissolve(input, false, "N", summary, OutputName(out_, "whole.dbf"));
    const std::string whole = Contents(out_ + "/whole.dbf");
    int written = 0;
    for (rlim_t limit = 0; limit <= whole.size(); ++limit) {
        SCOPED_TRACE(limit);
        const std::string folder = out_ + "/" + std::to_string(limit);
        std::filesystem::create_directory(folder);
        const int code = InChild([&] {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limited{limit, limit};
            setrlimit(RLIMIT_FSIZE, &limited);
            try {
                platform::Geoprocessor().Dissolve(input, false, "N", summary, OutputName(folder, "t.dbf"));
                return 0;
            } catch (const platform::ComError&) {
                return 1;
            }
        });
        ASSERT_TRUE(code == 0 || code == 1);
        written += code == 0;
        if (code == 0) {
            EXPECT_EQ(Contents(folder + "/t.dbf"), whole);
            EXPECT_EQ(Contents(folder + "/t.cpg"), "UTF-8");
        } else {
            EXPECT_TRUE(std::filesystem::is_empty(folder));
        }
    }
    EXPECT_EQ(written, 1) << "only the limit that holds the whole table writes it";
}

// A small file system filled up to every page but a few: the table is whole or absent.
TEST_F(Dissolve, ANearlyFullDiskLeavesTheWholeTableOrNothing) {
    const std::string disk = out_ + "/disk";
    std::filesystem::create_directory(disk);
    ASSERT_EQ(mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k"), 0)
        << "mounting a small tmpfs needs root (CI runs as root): " << std::strerror(errno);
    const auto input = Rows(2000);
    platform::Geoprocessor().Dissolve(input, false, "N", "Count.N, Average.X", OutputName(out_, "whole.dbf"));
    const std::string whole = Contents(out_ + "/whole.dbf");
    int written = 0;
    for (int pages = 0; pages <= 24; ++pages) {
        SCOPED_TRACE(pages);
        const std::string filler = disk + "/filler";
        {
            std::ofstream fill(filler, std::ios::binary);
            const std::string block(4096, 'x');
            while (fill.write(block.data(), block.size())) {}
        }
        std::filesystem::resize_file(filler, std::filesystem::file_size(filler) - static_cast<std::uintmax_t>(pages) * 4096);
        try {
            platform::Geoprocessor().Dissolve(input, false, "N", "Count.N, Average.X", OutputName(disk, "t.dbf"));
            ++written;
            EXPECT_EQ(Contents(disk + "/t.dbf"), whole);
            EXPECT_EQ(Contents(disk + "/t.cpg"), "UTF-8");
            std::filesystem::remove(disk + "/t.dbf");
            std::filesystem::remove(disk + "/t.cpg");
        } catch (const platform::ComError&) {
        }
        EXPECT_EQ(Files(disk), (std::vector<std::string>{"filler"}));
        std::filesystem::remove(filler);
    }
    umount(disk.c_str());
    EXPECT_GT(written, 0);
    EXPECT_LT(written, 25);
}
