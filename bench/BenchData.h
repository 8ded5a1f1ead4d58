#pragma once
// The benchmarks' data and their measuring: a million points as a shapefile
// and as a GeoPackage, generated once into a cache folder outside the source
// tree, and runs that each happen in a child process of their own, so that
// their time and peak memory are theirs alone.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

namespace fs = std::filesystem;

// TESSALY_BENCH_CACHE, else $XDG_CACHE_HOME/tessaly-bench, else ~/.cache/tessaly-bench.
fs::path CacheFolder();

// One generated data set: its file and the name of its one layer "points".
// Fields: VALUE (double about 500, one row in twenty Null), COUNT (integer
// 0 to 999), CLASS (text, 50 values), LABEL (text, distinct on every row),
// ID (64-bit integer of up to 17 digits, mostly past 2^53, distinct on every row).
struct PointsData {
    std::string kind;  // "shp" or "gpkg"
    fs::path file;
    std::string layer;
};

// Both data sets of `points` points, generated when missing.
std::vector<PointsData> PointsDataSets(long long points);

// What one run measured.
struct Measure {
    bool ok = false;
    double seconds = 0;     // the timed part only
    double peakMB = 0;      // the process's peak resident memory
    double residentMB = 0;  // resident memory just before the timed part (0 for programs)
};

// Runs `work` in a child process; it returns the seconds of its timed part
// (negative for a failure) and may note its resident memory before it.
Measure InChild(const std::function<double(double& residentBeforeMB)>& work);

// Runs a program with its output thrown away, timing all of it.
Measure Program(const std::vector<std::string>& arguments);

// The best (fastest) of `repeat` runs.
Measure Best(int repeat, const std::function<Measure()>& run);

// Resident memory of this process now, in MB.
double ResidentMB();

// One result line: name, time, peak memory and the ratio of the time to the peer's.
void Report(const std::string& name, const Measure& ours, const std::string& peerName, const Measure& peer);

}  // namespace bench
