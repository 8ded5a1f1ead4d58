// Times the toolbar's clicks on a million points, as a shapefile and as a
// GeoPackage, each beside the GDAL tool or reading that does the same work,
// measured in the same run:
//   Calculate Statistics (headless)      vs reading the one column with OGR, ignored fields set
//   Calculate Statistics (Qt host)       vs the same click headless
//   Update Values, 50 / ~1M values       vs ogrinfo -sql "SELECT DISTINCT ..." (SQLite dialect for ~1M)
//   Update Values, ~1M values (Qt host)  vs the same click headless, until the list shows
//                                         and until all of it is laid out
//   Update Values, 1M Integer64 IDs      vs ogrinfo -dialect SQLite "SELECT DISTINCT ..."
//   Update Values, ~1M texts, German     vs the same click in C.UTF-8
//   StringsAscending, 1M German texts    vs the same sort in C.UTF-8
//   Desktop: open the points' document,  the longest UI-thread pause until the map is drawn (target 1 s)
//   Desktop: Cancel in Summarize         the longest UI-thread pause after the click (target 0.1 s)
//   New Set with a where clause          vs ogrinfo -ro -so -where
//   Summarize, 50 / ~1M text / 1M ID groups  vs ogr2ogr -dialect SQLite ... GROUP BY to a .dbf
//   Delete Reference, every 100th of a   vs awk dropping the same lines into a new file
//     million QuickLoad.txt entries
// Every run is a child process of its own; each line gives the best time of
// the repeats, the peak memory of that process and the time's ratio to the peer.
// Ours and the peers run in the same environment, with the system's own heap.
//
//   bench_clicks [points] [--repeat N] [--only TEXT]   (default 1000000 points, 2 repeats)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <QApplication>
#include <QListView>
#include <QMainWindow>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "BenchData.h"
#include "DesktopBench.h"
#include "platform/com/ComPtr.h"
#include "platform/com/IClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/data/Geoprocessor.h"
#include "platform/data/Names.h"
#include "platform/data/SelectionSet.h"
#include "platform/data/Workspace.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/HostServices.h"
#include "platform/map/ICommand.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtBackend.h"
#include "platform/qt/QtHostServices.h"
#include "src/core/CommandTable.h"
#include "src/core/ClassInfo.h"
#include "src/core/QuickSortNonCase.h"
#include "src/core/frmReport_modal.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"
#include "src/quickload_media/frm_QLDelete.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace {

using bench::Measure;
using bench::PointsData;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Host services that draw nothing and keep nothing, as a screen would not keep
// a million progress steps either.
class QuietHostServices : public platform::HostServices {
public:
    void ProgressShown(const platform::StatusBar&) override {}
    void ProgressStepped(const platform::StatusBar&) override {}
    void ProgressHidden(const platform::StatusBar&) override {}
    void ViewRefreshed(const platform::Map&) override {}
    void ViewPartiallyRefreshed(const platform::Map&, std::int32_t, const platform::HostObject*,
                                const platform::Envelope*) override {}
    void ContentsUpdated(const platform::MapDocument&) override {}
    void SelectionChanged(const platform::HostObject&) override {}
    void TableWindowShown(const platform::TableWindow&) override {}
    void TableWindowClosed(const platform::TableWindow&) override {}
    void ExecuteHostCommand(const std::string&) override {}
    bool ShowCatalogOpen(const platform::CatalogDialog&, std::vector<std::string>&) override { return false; }
    bool ShowCatalogSave(const platform::CatalogDialog&, std::string&, std::string&) override { return false; }
    void ShowSummarizeDialog(const platform::SummarizeDialog&) override {}
};

// A document whose focus map holds the points, and a headless user.
struct Desktop {
    explicit Desktop(const PointsData& data) {
        layer = platform::FeatureLayer::Open("Points", data.file.string(), data.layer);
        if (!layer->Valid()) throw std::runtime_error("the points do not open: " + layer->OpenError());
        app->Document()->FocusMap()->AddLayer(layer);
    }
    platform::ComPtr<platform::ICommand> Command(const tessaly::ClassInfo& info) {
        platform::ComPtr<platform::IClassFactory> factory;
        DllGetClassObject(info.clsid, platform::IClassFactory::Iid, factory.PutVoid());
        platform::ComPtr<platform::ICommand> command;
        factory->CreateInstance(nullptr, platform::ICommand::Iid, command.PutVoid());
        command->OnCreate(app);
        return command;
    }
    bool Failed() const {
        if (ui->ErrorReports().empty() && ui->MessageBoxes().empty()) return false;
        std::fprintf(stderr, "the click failed:\n%s\n",
                     ui->ErrorReports().empty() ? ui->MessageBoxes().back().text.c_str()
                                                : ui->ErrorReports().back().c_str());
        return true;
    }

    platform::ScopedHeadlessUi ui;
    std::shared_ptr<platform::Application> app = std::make_shared<platform::Application>();
    std::shared_ptr<platform::FeatureLayer> layer;
};

std::string Quoted(const PointsData& data, const std::string& field) {
    return data.kind == "gpkg" ? "[" + field + "]" : "\"" + field + "\"";
}

// The whole Calculate Statistics click on VALUE, all records.
double StatisticsClick(const PointsData& data, double& residentMB) {
    Desktop desktop(data);
    auto command = desktop.Command(tessaly::info::cmdStats);
    desktop.ui->WhenModal("tessaly_ThemeIDDialog", [](platform::Form& form) {
        auto& dialog = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
        dialog.lbxTheme.UserClick(0);
        dialog.lbxField.UserClick(0);  // VALUE
        dialog.optAll.UserClick();
        dialog.cmdOK.UserClick();
    });
    residentMB = bench::ResidentMB();
    const auto start = Clock::now();
    command->OnClick();
    const double seconds = Since(start);
    if (desktop.Failed() || desktop.ui->ModelessShows().size() != 1) return -1;
    return seconds;
}

double HeadlessStatistics(const PointsData& data, double& residentMB) {
    platform::SetHostServices(std::make_shared<QuietHostServices>());
    return StatisticsClick(data, residentMB);
}

// A Qt application that draws offscreen and keeps its chatter to itself.
struct OffscreenQt {
    static int& Prepared(int& argc) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return argc;
    }
    int argc = 1;
    char name[16] = "bench_clicks";
    char* argv[2] = {name, nullptr};
    QApplication application{Prepared(argc), argv};
};

// The same click with the desktop's status bar drawing the progress, offscreen.
double QtHostStatistics(const PointsData& data, double& residentMB) {
    const OffscreenQt qt;
    QMainWindow window;
    window.statusBar()->showMessage("Ready");
    window.resize(900, 600);
    window.show();
    platform::SetHostServices(std::make_shared<platform::qt::QtHostServices>(window.statusBar(), &window));
    const double seconds = StatisticsClick(data, residentMB);
    platform::SetHostServices(nullptr);
    return seconds;
}

// The peer of the statistics: VALUE read with OGR, every other field and the shapes ignored.
double ReadOneColumn(const PointsData& data, double& residentMB) {
    residentMB = bench::ResidentMB();
    const auto start = Clock::now();
    GDALAllRegister();
    GDALDatasetUniquePtr dataset(GDALDataset::Open(data.file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset) return -1;
    OGRLayer* layer = dataset->GetLayerByName(data.layer.c_str());
    if (layer == nullptr) layer = dataset->GetLayer(0);
    const char* ignored[] = {"COUNT", "CLASS", "LABEL", "OGR_GEOMETRY", "OGR_STYLE", nullptr};
    layer->SetIgnoredFields(ignored);
    double total = 0;
    long long values = 0;
    for (auto& feature : *layer) {
        if (!feature->IsFieldSetAndNotNull(0)) continue;
        total += feature->GetFieldAsDouble(0);
        ++values;
    }
    const double seconds = Since(start);
    return values > 0 && total != 0 ? seconds : -1;
}

// Plays the query builder: chooses the points, then `act` times what it does.
template <class Act>
double InQueryBuilder(const PointsData& data, double& residentMB, Act act) {
    platform::SetHostServices(std::make_shared<QuietHostServices>());
    Desktop desktop(data);
    auto command = desktop.Command(tessaly::info::cmdSelByAttTessaly);
    double seconds = -1;
    desktop.ui->WhenModal("tessaly_ModQueryDialog", [&](platform::Form& form) {
        auto& dialog = dynamic_cast<tessaly::tessaly_ModQueryDialog&>(form);
        dialog.lbxThemes.UserClick(0);
        residentMB = bench::ResidentMB();
        seconds = act(dialog, desktop);
        dialog.cmdCancel.UserClick();
    });
    command->OnClick();
    if (desktop.Failed()) return -1;
    return seconds;
}

// Chooses `field` and clicks Update Values; the time of the click, or -1 when no value came.
double ClickUpdateValues(tessaly::tessaly_ModQueryDialog& dialog, const std::string& field) {
    int line = -1;
    for (int i = 0; i < dialog.lbxFields.ListCount(); ++i)
        if (dialog.lbxFields.List(i).find(field) != std::string::npos) line = i;
    if (line < 0) return -1.0;
    dialog.lbxFields.UserClick(line);
    const auto start = Clock::now();
    dialog.cmdUpdate.UserClick();
    QCoreApplication::processEvents();  // a shown value list lays its lines out (nothing to do headless)
    const double seconds = Since(start);
    return dialog.lbxValues.ListCount() > 0 ? seconds : -1.0;
}

double UpdateValues(const PointsData& data, const std::string& field, double& residentMB) {
    return InQueryBuilder(data, residentMB, [&](tessaly::tessaly_ModQueryDialog& dialog, Desktop&) {
        return ClickUpdateValues(dialog, field);
    });
}

// The user's locale is read once per process, at the first text compared: a
// child that sets it before its click runs in it.
double UpdateValuesGerman(const PointsData& data, const std::string& field, double& residentMB) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    return UpdateValues(data, field, residentMB);
}

double UpdateValuesCUtf8(const PointsData& data, const std::string& field, double& residentMB) {
    setenv("LC_ALL", "C.UTF-8", 1);
    return UpdateValues(data, field, residentMB);
}

// A million texts of German syllables, with accents, ß and capitals.
std::vector<std::string> GermanTexts() {
    const char* syllables[] = {"stra", "ße", "äp", "fel", "Über", "gang", "mü", "ller", "Öl", "sch", "ach",
                               "ung", "Zeh", "né", "ss", "Ä", "bau", "-", " ", "Strauß", "o", "Ü"};
    std::mt19937_64 random(49);
    std::vector<std::string> texts(1000000);
    for (std::string& text : texts)
        for (auto n = random() % 4 + 2; n-- > 0;) text += syllables[random() % std::size(syllables)];
    return texts;
}

double SortTexts(const char* locale, double& residentMB) {
    setenv("LC_ALL", locale, 1);
    std::vector<std::string> texts = GermanTexts();
    residentMB = bench::ResidentMB();
    const platform::ScopedHeadlessUi ui;
    const auto start = Clock::now();
    tessaly::StringsAscending(texts, 0, static_cast<std::int32_t>(texts.size()) - 1);
    const double seconds = Since(start);
    return ui->ErrorReports().empty() ? seconds : -1;
}

double SortTextsGerman(const PointsData&, double& residentMB) { return SortTexts("de_DE.UTF-8", residentMB); }
double SortTextsCUtf8(const PointsData&, double& residentMB) { return SortTexts("C.UTF-8", residentMB); }

// Whether every line of the shown value list has its place: a long list lays
// out in batches after the click, and sets its scroll range at the end.
bool ValueListLaidOut() {
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* list = dynamic_cast<QListView*>(widget);
        if (list == nullptr || list->model() == nullptr || list->model()->rowCount() < 2) continue;
        const QScrollBar* bar = list->verticalScrollBar();
        if (bar->maximum() + bar->pageStep() < list->model()->rowCount()) return false;
    }
    return true;
}

// The same click with the query builder shown by the Qt backend, offscreen:
// its value list shows every value as the click adds it. Timed until the list
// shows, or until all of it is laid out.
double QtHostUpdateValues(const PointsData& data, const std::string& field, bool untilLaidOut, double& residentMB) {
    const OffscreenQt qt;
    platform::SetHostServices(std::make_shared<QuietHostServices>());
    Desktop desktop(data);
    const std::shared_ptr<platform::UiBackend> headless = platform::CurrentUiBackend();
    platform::SetUiBackend(std::make_shared<platform::qt::QtBackend>());
    auto command = desktop.Command(tessaly::info::cmdSelByAttTessaly);
    double seconds = -1;
    QTimer::singleShot(0, [&] {
        tessaly::tessaly_ModQueryDialog* dialog = nullptr;
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* view = dynamic_cast<platform::qt::FormView*>(widget)) {
                if (auto* form = dynamic_cast<tessaly::tessaly_ModQueryDialog*>(view->ModelForm())) dialog = form;
            }
        }
        if (dialog == nullptr) {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            return;
        }
        dialog->lbxThemes.UserClick(0);
        residentMB = bench::ResidentMB();
        const auto start = Clock::now();
        seconds = ClickUpdateValues(*dialog, field);
        if (untilLaidOut && seconds >= 0) {
            while (!ValueListLaidOut()) QCoreApplication::processEvents();
            seconds = Since(start);
        }
        dialog->cmdCancel.UserClick();
    });
    command->OnClick();
    platform::SetUiBackend(headless);
    return seconds;
}

double QtHostUpdateValuesShown(const PointsData& data, const std::string& field, double& residentMB) {
    return QtHostUpdateValues(data, field, false, residentMB);
}

double QtHostUpdateValuesLaidOut(const PointsData& data, const std::string& field, double& residentMB) {
    return QtHostUpdateValues(data, field, true, residentMB);
}

double NewSet(const PointsData& data, double& residentMB) {
    return InQueryBuilder(data, residentMB, [&](tessaly::tessaly_ModQueryDialog& dialog, Desktop& desktop) {
        dialog.optSelected.UserClick();
        dialog.txtQuery.UserSelect(0, static_cast<int>(dialog.txtQuery.Text().size()));
        dialog.txtQuery.UserType(Quoted(data, "COUNT") + " < 500");
        const auto start = Clock::now();
        dialog.cmdNewSet.UserClick();
        const double seconds = Since(start);
        return desktop.layer->SelectionSet()->Count() > 0 ? seconds : -1.0;
    });
}

std::string TemporaryFolder() {
    char pattern[] = "/tmp/tessaly-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("no temporary folder");
    return pattern;
}

// The summary table by `field`, as the summarize dialog asks the geoprocessor for it.
double Summarize(const PointsData& data, const std::string& field, double& residentMB) {
    platform::SetHostServices(std::make_shared<QuietHostServices>());
    Desktop desktop(data);
    const std::string folder = TemporaryFolder();
    auto workspace = std::make_shared<platform::FolderWorkspaceFactory>()->OpenFromFile(folder, 0);
    auto output = std::make_shared<platform::TableName>();
    output->Name("summary.dbf");
    output->WorkspaceName(std::dynamic_pointer_cast<platform::WorkspaceName>(workspace->FullName()));
    const std::string summary =
        "Minimum." + field + ", Count." + field + ", Average.VALUE, Maximum.VALUE, Sum.COUNT";
    residentMB = bench::ResidentMB();
    const auto start = Clock::now();
    auto table = platform::Geoprocessor().Dissolve(desktop.layer, false, field, summary, output);
    const double seconds = Since(start);
    const bool ok = table && table->RowCount(nullptr) > 0;
    std::filesystem::remove_all(folder);
    return ok ? seconds : -1;
}

Measure SummarizePeer(const PointsData& data, const std::string& field) {
    const std::string folder = TemporaryFolder();
    // An aggregate's column type is guessed from its first value, which cuts 64-bit IDs
    // to 32 bits; the group's own value is its minimum, typed as the column.
    const std::string minimum = field == "ID" ? field : "MIN(" + field + ")";
    const Measure measure = bench::Program(
        {"ogr2ogr", "-f", "ESRI Shapefile", folder + "/summary.dbf", data.file.string(), "-dialect", "SQLite", "-sql",
         "SELECT " + field + ", " + minimum + " AS MIN_F, COUNT(*) AS CNT, AVG(VALUE) AS AVG_V, "
         "MAX(VALUE) AS MAX_V, SUM(COUNT) AS SUM_C FROM " + data.layer + " GROUP BY " + field + " ORDER BY " + field});
    std::filesystem::remove_all(folder);
    return measure;
}

// A QuickLoad.txt of a million saved queries in a folder of its own; entry i
// takes lines 3i+1 to 3i+3.
constexpr long long kQuickLoadEntries = 1000000;
constexpr long long kDeleteEvery = 100;

std::string WriteQuickLoadFile() {
    const std::string folder = TemporaryFolder();
    std::string text;
    for (long long i = 0; i < kQuickLoadEntries; ++i)
        text += "<Query>\r\nquery " + std::to_string(i) + "\r\n\"COUNT\" < " + std::to_string(i) + "\r\n";
    std::FILE* file = std::fopen((folder + "/QuickLoad.txt").c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return folder;
}

// The Delete Reference click, every 100th entry marked, from the click to the report.
double DeleteReference(const PointsData& data, double& residentMB) {
    platform::SetHostServices(std::make_shared<QuietHostServices>());
    Desktop desktop(data);
    const std::string folder = WriteQuickLoadFile();
    desktop.app->Document()->FilePath(folder + "/lesson.tmd");
    auto command = desktop.Command(tessaly::info::cmdQLDelete);
    desktop.ui->WhenModal("frm_QLDelete", [](platform::Form& form) {
        auto& dialog = dynamic_cast<tessaly::frm_QLDelete&>(form);
        for (int i = 0; i < dialog.lbxReferences.ListCount(); i += kDeleteEvery) dialog.lbxReferences.SetSelected(i, true);
        dialog.OKButton.UserClick();
    });
    desktop.ui->WhenModal("frmReport_modal", [](platform::Form& form) { form.Hide(); });
    residentMB = bench::ResidentMB();
    const auto start = Clock::now();
    command->OnClick();
    const double seconds = Since(start);
    const bool ok = !desktop.Failed() && std::filesystem::file_size(folder + "/QuickLoad.txt") > 0;
    std::filesystem::remove_all(folder);
    return ok ? seconds : -1;
}

Measure DeleteReferencePeer() {
    const std::string folder = WriteQuickLoadFile();
    const Measure measure = bench::Program(
        {"awk", "-v", "every=" + std::to_string(3 * kDeleteEvery),
         "(FNR - 1) % every >= 3 { print > \"" + folder + "/kept.txt\" }", folder + "/QuickLoad.txt"});
    std::filesystem::remove_all(folder);
    return measure;
}

struct Options {
    long long points = 1000000;
    int repeat = 2;
    std::string only;
};

class Runner {
public:
    explicit Runner(const Options& options) : options_(options) {}

    bool Wanted(const std::string& name) const {
        return options_.only.empty() || name.find(options_.only) != std::string::npos;
    }
    Measure Child(double (*work)(const PointsData&, double&), const PointsData& data) const {
        return bench::Best(options_.repeat,
                           [&] { return bench::InChild([&](double& resident) { return work(data, resident); }); });
    }
    Measure Child(double (*work)(const PointsData&, const std::string&, double&), const PointsData& data,
                  const std::string& field) const {
        return bench::Best(options_.repeat, [&] {
            return bench::InChild([&](double& resident) { return work(data, field, resident); });
        });
    }
    Measure Program(const std::vector<std::string>& arguments) const {
        return bench::Best(options_.repeat, [&] { return bench::Program(arguments); });
    }
    Measure Best(const std::function<Measure()>& run) const { return bench::Best(options_.repeat, run); }

private:
    Options options_;
};

// Rows against a fixed target rather than a peer: how long the window stays
// away from the user at most.
void RunDesktop(const Runner& run, const PointsData& data) {
    const std::string on = " (" + data.kind + ")";
    for (const auto& [name, work, target] :
         {std::tuple{"Desktop: open the document, longest UI pause", &bench::OpenLessonLongestPause, 1.0},
          std::tuple{"Desktop: Cancel in Summarize, longest UI pause", &bench::CancelSummarizeLongestPause, 0.1}}) {
        const Measure measure = run.Child(work, data);
        if (!measure.ok) {
            std::printf("%-44s FAILED\n", (name + on).c_str());
            continue;
        }
        std::printf("%-44s %7.3f s  peak %7.1f MB  | target %.1f s  ratio %5.2fx\n", (name + on).c_str(),
                    measure.seconds, measure.peakMB, target, measure.seconds / target);
        std::fflush(stdout);
    }
}

void RunAll(const Runner& run, const PointsData& data, long long points) {
    const std::string on = " (" + data.kind + ")";
    const std::string file = data.file.string();
    std::printf("\n%s, %lld points\n", file.c_str(), points);

    if (run.Wanted("statistics")) {
        const Measure read = run.Child(ReadOneColumn, data);
        const Measure headless = run.Child(HeadlessStatistics, data);
        bench::Report("Calculate Statistics, headless" + on, headless, "OGR read of VALUE", read);
        const Measure qt = run.Child(QtHostStatistics, data);
        bench::Report("Calculate Statistics, Qt host" + on, qt, "the same click headless", headless);
    }
    if (run.Wanted("update")) {
        const Measure few = run.Child(UpdateValues, data, "CLASS");
        const Measure fewPeer = run.Program({"ogrinfo", "-ro", "-q", "-sql", "SELECT DISTINCT CLASS FROM " + data.layer, file});
        bench::Report("Update Values, 50 values" + on, few, "ogrinfo SELECT DISTINCT", fewPeer);
        const Measure many = run.Child(UpdateValues, data, "LABEL");
        const Measure manyPeer = run.Program(
            {"ogrinfo", "-ro", "-q", "-dialect", "SQLite", "-sql", "SELECT DISTINCT LABEL FROM " + data.layer, file});
        bench::Report("Update Values, ~1M values" + on, many, "ogrinfo -dialect SQLite DISTINCT", manyPeer);
        const Measure shownQt = run.Child(QtHostUpdateValuesShown, data, "LABEL");
        bench::Report("Update Values, ~1M values, Qt host" + on, shownQt, "the same click headless", many);
        const Measure laidOutQt = run.Child(QtHostUpdateValuesLaidOut, data, "LABEL");
        bench::Report("  the same, until every line can be shown" + on, laidOutQt, "the same click headless", many);
        if (laidOutQt.ok && many.ok)
            std::printf("%-44s peak memory %5.2fx the headless click's\n", "", laidOutQt.peakMB / many.peakMB);
        const Measure ids = run.Child(UpdateValues, data, "ID");
        const Measure idsPeer = run.Program(
            {"ogrinfo", "-ro", "-q", "-dialect", "SQLite", "-sql", "SELECT DISTINCT ID FROM " + data.layer, file});
        bench::Report("Update Values, 1M Integer64 IDs" + on, ids, "ogrinfo -dialect SQLite DISTINCT", idsPeer);
        const Measure german = run.Child(UpdateValuesGerman, data, "LABEL");
        const Measure plain = run.Child(UpdateValuesCUtf8, data, "LABEL");
        bench::Report("Update Values, ~1M texts, de_DE.UTF-8" + on, german, "the same click in C.UTF-8", plain);
    }
    if (run.Wanted("sort") && data.kind == "shp") {
        const Measure german = run.Child(SortTextsGerman, data);
        const Measure plain = run.Child(SortTextsCUtf8, data);
        bench::Report("StringsAscending, 1M texts, de_DE.UTF-8", german, "the same sort in C.UTF-8", plain);
    }
    if (run.Wanted("desktop")) RunDesktop(run, data);
    if (run.Wanted("newset")) {
        const Measure ours = run.Child(NewSet, data);
        const Measure peer = run.Program({"ogrinfo", "-ro", "-so", "-where", "COUNT < 500", file, data.layer});
        bench::Report("New Set, COUNT < 500" + on, ours, "ogrinfo -ro -so -where", peer);
    }
    if (run.Wanted("delete") && data.kind == "shp") {
        const Measure ours = run.Child(DeleteReference, data);
        const Measure peer = run.Best(DeleteReferencePeer);
        bench::Report("Delete Reference, 10,000 of 1M entries", ours, "awk dropping the same lines", peer);
    }
    if (run.Wanted("summarize")) {
        for (const auto& [field, groups] :
             {std::pair<std::string, long long>{"CLASS", 50}, {"LABEL", points}, {"ID", points}}) {
            const Measure ours = run.Child(Summarize, data, field);
            const Measure peer = run.Best([&] { return SummarizePeer(data, field); });
            bench::Report("Summarize by " + field + ", " + std::to_string(groups) + " groups" + on, ours,
                          "ogr2ogr -dialect SQLite GROUP BY", peer);
            if (ours.ok && groups > 1000)
                std::printf("%-44s %7.0f bytes a group above the resident memory before the click\n", "",
                            (ours.peakMB - ours.residentMB) * 1024 * 1024 / static_cast<double>(groups));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Options options;
        for (int i = 1; i < argc; ++i) {
            const std::string argument = argv[i];
            if (argument == "--repeat" && i + 1 < argc)
                options.repeat = std::max(1, std::atoi(argv[++i]));
            else if (argument == "--only" && i + 1 < argc)
                options.only = argv[++i];
            else
                options.points = std::stoll(argument);
        }
        const Runner runner(options);
        std::printf("Tessaly clicks on %lld points; best of %d runs each; data in %s\n", options.points,
                    options.repeat, bench::CacheFolder().c_str());
        for (const PointsData& data : bench::PointsDataSets(options.points)) RunAll(runner, data, options.points);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_clicks: %s\n", error.what());
        return 1;
    }
}
