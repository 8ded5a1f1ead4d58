#include "platform/data/Geoprocessor.h"

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "DataTestSupport.h"
#include "platform/com/Hresult.h"
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

// Another process makes these files when the dissolve takes the selection: after its check, before its writing.
class Intruded : public SelectableTable {
public:
    Intruded(std::shared_ptr<SourceTable> source, std::vector<std::string> files)
        : SelectableTable(std::move(source)), files_(std::move(files)) {}
    std::shared_ptr<platform::SelectionSet> SelectionSet() override {
        if (fork() == 0) {
            for (const auto& file : files_) std::ofstream(file) << "theirs";
            _exit(0);
        }
        wait(nullptr);
        return SelectableTable::SelectionSet();
    }

private:
    std::vector<std::string> files_;
};

std::string Contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
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
    std::ofstream(out_ + "/nan.csvt") << "Real,Real\n";
    std::ofstream(out_ + "/nan.csv") << "K,V\n1,nan\nnan,3\n,4\nnan,-0\n";
    output = platform::Geoprocessor().Dissolve(SourceTable::Open(out_ + "/nan.csv"), false, "K", "Count.K, Sum.V, Minimum.V",
                                               OutputName(out_, "nan.dbf"));
    EXPECT_EQ(Texts(Column(*output, "Count_K")), (std::vector<std::string>{"3", "1"})) << "NaN with the Nulls";
    EXPECT_EQ(Texts(Column(*output, "Sum_V")), (std::vector<std::string>{"7", "<null>"}));
    EXPECT_EQ(Contents(out_ + "/nan.dbf").find("-0"), std::string::npos);
}

TEST_F(Dissolve, FilesAnotherProcessMakesMeanwhileStayUntouched) {
    for (const auto& files : {std::vector<std::string>{"a.dbf", "a.cpg"}, {"b.dbf"}, {"c.cpg"}}) {
        std::vector<std::string> paths;
        for (const auto& file : files) paths.push_back(out_ + "/" + file);
        auto input = std::make_shared<Intruded>(SourceTable::Open(Data().Dbase()), paths);
        EXPECT_EQ(ExpectComError([&] { platform::Geoprocessor().Dissolve(input, true, "NAME", "Count.NAME", OutputName(out_, files[0].substr(0, 1))); })
                      .Number(),
                  platform::E_FAIL);
        for (const auto& path : paths) EXPECT_EQ(Contents(path), "theirs");
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(out_)) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a.cpg", "a.dbf", "b.dbf", "c.cpg"})) << "nothing of ours left";
}

// Every file-size limit up to the table's length (in a child process), then a
// small disk filled but for 0 to 3 pages: each leaves the whole table or nothing.
TEST_F(Dissolve, EveryFileSizeLimitAndANearlyFullDiskLeaveTheWholeTableOrNothing) {
    const auto input = SourceTable::Open(Data().Dbase());
    auto dissolve = [&](const std::string& folder) {
        platform::Geoprocessor().Dissolve(input, false, "AGE", "Count.AGE, Sum.SALARY, StdDev.SALARY", OutputName(folder, "t.dbf"));
    };
    dissolve(out_);
    const std::string whole = Contents(out_ + "/t.dbf");
    auto check = [&](const std::string& folder) {
        const bool written = std::filesystem::exists(folder + "/t.dbf");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), written ? 2 : 0);
        EXPECT_TRUE(!written || (Contents(folder + "/t.dbf") == whole && Contents(folder + "/t.cpg") == "UTF-8"));
        return written;
    };
    for (rlim_t limit = 0; limit <= whole.size(); ++limit) {
        const std::string folder = out_ + "/" + std::to_string(limit);
        std::filesystem::create_directory(folder);
        if (fork() == 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limited{limit, limit};
            setrlimit(RLIMIT_FSIZE, &limited);
            try {
                dissolve(folder);
            } catch (const platform::ComError&) {
            }
            _exit(0);
        }
        wait(nullptr);
        EXPECT_EQ(check(folder), limit == whole.size()) << limit;
    }
    const std::string disk = out_ + "/disk";
    std::filesystem::create_directory(disk);
    ASSERT_EQ(mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k"), 0) << "a small tmpfs needs root: " << std::strerror(errno);
    const std::string filler = disk + "/filler";
    for (int pages = 3; pages >= 0; --pages) {
        std::ofstream(filler, std::ios::binary) << std::string(64 * 1024, 'x');
        std::filesystem::resize_file(filler, std::filesystem::file_size(filler) - static_cast<std::uintmax_t>(pages) * 4096);
        try {
            dissolve(disk);
        } catch (const platform::ComError&) {
        }
        std::filesystem::remove(filler);
        EXPECT_EQ(check(disk), pages >= 2) << pages << " pages free";
        std::filesystem::remove(disk + "/t.dbf");
        std::filesystem::remove(disk + "/t.cpg");
    }
    umount(disk.c_str());
}
