// Times the whole "Calculate Statistics" click, headless, on a shapefile of one
// million points: the Double field over all records, then over half of them
// selected. Each run goes in a child process of its own, so that its peak
// memory is its own. The data are generated once and kept in the cache folder.
//
//   bench_statistics [points]     (default 1000000)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/com/ComPtr.h"
#include "platform/com/IClassFactory.h"
#include "platform/com/InprocServer.h"
#include "platform/data/SelectionSet.h"
#include "platform/forms/HeadlessBackend.h"
#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/HostServices.h"
#include "platform/map/ICommand.h"
#include "platform/map/Map.h"
#include "platform/map/MapDocument.h"
#include "src/core/CommandTable.h"
#include "src/statistics/tessaly_ThemeIDDialog.h"

namespace {

namespace fs = std::filesystem;

fs::path CacheFolder() {
    if (const char* folder = std::getenv("TESSALY_BENCH_CACHE")) return folder;
    return TESSALY_BENCH_CACHE_DIR;
}

// points_<n>.shp: VALUE (double, two decimals, about normal around 500),
// COUNT (integer 0 to 999) and LABEL (text). Written under a temporary name
// and renamed when complete, so an interrupted run leaves no half file.
fs::path PointsShapefile(long long points) {
    const fs::path folder = CacheFolder();
    const std::string base = "points_" + std::to_string(points);
    const fs::path shapefile = folder / (base + ".shp");
    if (fs::exists(shapefile) && fs::exists(folder / (base + ".dbf"))) return shapefile;
    fs::create_directories(folder);

    std::printf("generating %lld points in %s ...\n", points, folder.c_str());
    std::fflush(stdout);
    const std::string partial = base + "_partial";
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    {
        GDALDatasetUniquePtr dataset(
            driver->Create((folder / (partial + ".shp")).c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!dataset) throw std::runtime_error("cannot create the shapefile");
        OGRSpatialReference wgs84;
        wgs84.importFromEPSG(4326);
        OGRLayer* layer = dataset->CreateLayer(partial.c_str(), &wgs84, wkbPoint, nullptr);
        OGRFieldDefn value("VALUE", OFTReal);
        value.SetWidth(16);
        value.SetPrecision(2);
        OGRFieldDefn count("COUNT", OFTInteger);
        count.SetWidth(9);
        OGRFieldDefn label("LABEL", OFTString);
        label.SetWidth(16);
        layer->CreateField(&value);
        layer->CreateField(&count);
        layer->CreateField(&label);
        std::mt19937_64 random(20240305);
        std::normal_distribution<double> normal(500, 150);
        std::uniform_int_distribution<int> counts(0, 999);
        std::uniform_real_distribution<double> coordinate(0, 1);
        dataset->StartTransaction();
        for (long long i = 0; i < points; ++i) {
            OGRFeature feature(layer->GetLayerDefn());
            feature.SetField(0, std::round(normal(random) * 100) / 100);
            feature.SetField(1, counts(random));
            feature.SetField(2, ("point " + std::to_string(i)).c_str());
            OGRPoint point(-180 + 360 * coordinate(random), -90 + 180 * coordinate(random));
            feature.SetGeometry(&point);
            if (layer->CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("cannot write a point");
        }
        dataset->CommitTransaction();
    }
    for (const char* extension : {".dbf", ".shx", ".prj", ".cpg", ".shp"}) {
        const fs::path from = folder / (partial + extension);
        if (fs::exists(from)) fs::rename(from, folder / (base + extension));
    }
    return shapefile;
}

// Host services that draw nothing and keep nothing, as a screen would not keep
// a million progress steps either; they only count them.
class QuietHostServices : public platform::HostServices {
public:
    long long steps = 0;
    void ProgressShown(const platform::StatusBar&) override {}
    void ProgressStepped(const platform::StatusBar&) override { ++steps; }
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

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// One click in this process; returns its exit code.
int TimeOneClick(const fs::path& shapefile, bool halfSelected) {
    auto host = std::make_shared<QuietHostServices>();
    platform::SetHostServices(host);
    platform::ScopedHeadlessUi ui;
    auto app = std::make_shared<platform::Application>();
    auto layer = platform::FeatureLayer::Open("Points", shapefile.string());
    if (!layer->Valid()) {
        std::fprintf(stderr, "the points do not open: %s\n", layer->OpenError().c_str());
        return 1;
    }
    app->Document()->FocusMap()->AddLayer(layer);
    if (halfSelected) {
        const auto rows = layer->RowCount(nullptr);
        for (platform::ObjectId id = 0; id < rows; id += 2) layer->SelectionSet()->Add(id);
    }

    platform::ComPtr<platform::IClassFactory> factory;
    DllGetClassObject(tessaly::info::cmdStats.clsid, platform::IClassFactory::Iid, factory.PutVoid());
    platform::ComPtr<platform::ICommand> command;
    factory->CreateInstance(nullptr, platform::ICommand::Iid, command.PutVoid());
    command->OnCreate(app);

    ui->WhenModal("tessaly_ThemeIDDialog", [halfSelected](platform::Form& form) {
        auto& dialog = dynamic_cast<tessaly::tessaly_ThemeIDDialog&>(form);
        dialog.lbxTheme.UserClick(0);
        dialog.lbxField.UserClick(0);  // VALUE
        (halfSelected ? dialog.optSelected : dialog.optAll).UserClick();
        dialog.cmdOK.UserClick();
    });

    const long before = ResidentKilobytes();
    const auto start = std::chrono::steady_clock::now();
    command->OnClick();
    const auto end = std::chrono::steady_clock::now();

    if (!ui->ErrorReports().empty() || ui->ModelessShows().size() != 1) {
        std::fprintf(stderr, "the click failed:\n%s\n",
                     ui->ErrorReports().empty() ? "no report shown" : ui->ErrorReports().back().c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(end - start).count();
    std::printf("%-22s %8.3f s   resident before click %7.1f MB   peak %7.1f MB   progress steps %lld\n",
                halfSelected ? "VALUE, half selected:" : "VALUE, all records:", seconds, before / 1024.0,
                PeakKilobytes() / 1024.0, host->steps);
    std::fflush(stdout);
    command.Reset();
    platform::SetHostServices(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const long long points = argc > 1 ? std::stoll(argv[1]) : 1000000;
        const fs::path shapefile = PointsShapefile(points);
        std::printf("Calculate Statistics click on %s (%lld points)\n", shapefile.c_str(), points);
        std::fflush(stdout);
        int failures = 0;
        for (bool halfSelected : {false, true}) {
            const pid_t child = fork();
            if (child == 0) _exit(TimeOneClick(shapefile, halfSelected));
            int status = 0;
            waitpid(child, &status, 0);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
        }
        return failures == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_statistics: %s\n", error.what());
        return 1;
    }
}
