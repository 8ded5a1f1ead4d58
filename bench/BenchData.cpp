#include "BenchData.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace bench {
namespace {

const char* kLayer = "points";

struct Writer {
    GDALDatasetUniquePtr dataset;
    OGRLayer* layer = nullptr;
};

Writer CreatePoints(const char* driverName, const fs::path& file) {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    if (driver == nullptr) throw std::runtime_error(std::string("no GDAL driver ") + driverName);
    Writer writer;
    writer.dataset.reset(driver->Create(file.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!writer.dataset) throw std::runtime_error("cannot create " + file.string());
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    writer.layer = writer.dataset->CreateLayer(kLayer, &wgs84, wkbPoint, nullptr);
    if (writer.layer == nullptr) throw std::runtime_error("cannot create the layer in " + file.string());
    OGRFieldDefn value("VALUE", OFTReal);
    value.SetWidth(16);
    value.SetPrecision(2);
    OGRFieldDefn count("COUNT", OFTInteger);
    count.SetWidth(9);
    OGRFieldDefn group("CLASS", OFTString);
    group.SetWidth(8);
    OGRFieldDefn label("LABEL", OFTString);
    label.SetWidth(13);
    OGRFieldDefn id("ID", OFTInteger64);
    id.SetWidth(18);
    for (OGRFieldDefn* field : {&value, &count, &group, &label, &id})
        if (writer.layer->CreateField(field) != OGRERR_NONE) throw std::runtime_error("cannot create a field");
    writer.dataset->StartTransaction();
    return writer;
}

void Generate(long long points, const fs::path& folder, const fs::path& shapeFolder, const fs::path& gpkg) {
    std::printf("generating %lld points in %s ...\n", points, folder.c_str());
    std::fflush(stdout);
    const fs::path partialShapes = folder / (shapeFolder.filename().string() + "_partial");
    const fs::path partialGpkg = folder / (gpkg.stem().string() + "_partial.gpkg");
    fs::remove_all(partialShapes);
    fs::remove(partialGpkg);
    fs::create_directories(partialShapes);
    // The partial files are thrown away when anything fails: no need to sync each write.
    CPLSetConfigOption("OGR_SQLITE_SYNCHRONOUS", "OFF");
    {
        Writer writers[] = {CreatePoints("ESRI Shapefile", partialShapes / "points.shp"),
                            CreatePoints("GPKG", partialGpkg)};
        std::mt19937_64 random(20240305);
        std::normal_distribution<double> normal(500, 150);
        std::uniform_int_distribution<int> counts(0, 999);
        std::uniform_int_distribution<int> classes(0, 49);
        std::uniform_real_distribution<double> coordinate(0, 1);
        for (long long i = 0; i < points; ++i) {
            const double value = std::round(normal(random) * 100) / 100;
            const bool null = i % 20 == 7;
            const int count = counts(random);
            char group[16];
            std::snprintf(group, sizeof group, "class %02d", classes(random));
            char label[32];
            std::snprintf(label, sizeof label, "point %07lld", i);
            // A multiplier prime to 10^17 maps the rows to distinct IDs below it, in no order.
            const auto id = static_cast<GIntBig>(static_cast<unsigned __int128>(i) * 2862933555777941757u %
                                                 100000000000000000u);
            OGRPoint point(-180 + 360 * coordinate(random), -90 + 180 * coordinate(random));
            for (Writer& writer : writers) {
                OGRFeature feature(writer.layer->GetLayerDefn());
                if (null)
                    feature.SetFieldNull(0);
                else
                    feature.SetField(0, value);
                feature.SetField(1, count);
                feature.SetField(2, group);
                feature.SetField(3, label);
                feature.SetField(4, id);
                feature.SetGeometry(&point);
                if (writer.layer->CreateFeature(&feature) != OGRERR_NONE)
                    throw std::runtime_error("cannot write a point");
            }
        }
        for (Writer& writer : writers) writer.dataset->CommitTransaction();
    }
    fs::rename(partialShapes, shapeFolder);
    fs::rename(partialGpkg, gpkg);
}

double Seconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

}  // namespace

fs::path CacheFolder() {
    if (const char* folder = std::getenv("TESSALY_BENCH_CACHE"); folder && *folder) return folder;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache) return fs::path(cache) / "tessaly-bench";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".cache" / "tessaly-bench";
}

std::vector<PointsData> PointsDataSets(long long points) {
    GDALAllRegister();
    const fs::path folder = CacheFolder();
    fs::create_directories(folder);
    // The data's version: a data set of another generation is made afresh beside it.
    const std::string base = "points_" + std::to_string(points) + "_v2";
    const fs::path shapeFolder = folder / base;
    const fs::path gpkg = folder / (base + ".gpkg");
    if (!fs::exists(shapeFolder / "points.dbf") || !fs::exists(gpkg)) {
        fs::remove_all(shapeFolder);
        fs::remove(gpkg);
        Generate(points, folder, shapeFolder, gpkg);
    }
    return {{"shp", shapeFolder / "points.shp", kLayer}, {"gpkg", gpkg, kLayer}};
}

double ResidentMB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

Measure InChild(const std::function<double(double& residentBeforeMB)>& work) {
    int channel[2];
    if (pipe(channel) != 0) throw std::runtime_error("no pipe");
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        double result[2] = {-1, 0};
        try {
            result[0] = work(result[1]);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "the run failed: %s\n", error.what());
        }
        if (write(channel[1], result, sizeof result) != static_cast<ssize_t>(sizeof result)) _exit(2);
        _exit(result[0] < 0 ? 1 : 0);
    }
    close(channel[1]);
    double result[2] = {-1, 0};
    const bool read = ::read(channel[0], result, sizeof result) == static_cast<ssize_t>(sizeof result);
    close(channel[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Measure measure;
    measure.ok = read && WIFEXITED(status) && WEXITSTATUS(status) == 0 && result[0] >= 0;
    measure.seconds = result[0];
    measure.residentMB = result[1];
    measure.peakMB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return measure;
}

Measure Program(const std::vector<std::string>& arguments) {
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        std::vector<char*> argv;
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        std::fprintf(stderr, "cannot start %s (gdal-bin is installed by scripts/setup-deps.sh)\n", argv[0]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Measure measure;
    measure.seconds = Seconds(std::chrono::steady_clock::now() - start);
    measure.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    measure.peakMB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return measure;
}

Measure Best(int repeat, const std::function<Measure()>& run) {
    Measure best;
    for (int i = 0; i < repeat; ++i) {
        const Measure measure = run();
        if (!measure.ok) return measure;
        if (!best.ok || measure.seconds < best.seconds) best = measure;
    }
    return best;
}

void Report(const std::string& name, const Measure& ours, const std::string& peerName, const Measure& peer) {
    if (!ours.ok) {
        std::printf("%-44s FAILED\n", name.c_str());
    } else {
        std::printf("%-44s %7.3f s  peak %7.1f MB", name.c_str(), ours.seconds, ours.peakMB);
        if (peer.ok)
            std::printf("  | %-36s %7.3f s  peak %7.1f MB  ratio %5.2fx", peerName.c_str(), peer.seconds, peer.peakMB,
                        ours.seconds / peer.seconds);
        else
            std::printf("  | %-36s FAILED", peerName.c_str());
        std::printf("\n");
    }
    std::fflush(stdout);
}

}  // namespace bench
