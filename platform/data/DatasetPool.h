#pragma once
// Adapter internals: idle dataset handles kept per data source, so that a
// search or count does not open the source (a file, or a database connection
// with its catalog queries) each time. Only platform/data's own sources
// include this header.
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gdal_priv.h>

namespace platform {

class DatasetPool {
public:
    // At most this many idle handles stay open per data source; more handles
    // may be out at the same time, and those over the limit close on return.
    static constexpr std::size_t kIdleLimit = 4;

    // The pool of the data source at path opened with these options: the same
    // pool for every table of that source that is alive, a new one otherwise.
    // The pool closes its idle handles when the last table holding it is gone.
    static std::shared_ptr<DatasetPool> For(const std::string& path, const std::vector<std::string>& options);

    DatasetPool(std::string path, std::vector<std::string> options);
    ~DatasetPool();
    DatasetPool(const DatasetPool&) = delete;
    DatasetPool& operator=(const DatasetPool&) = delete;

    // A handle of one's own: an idle one when the files under it did not change
    // since it was opened, else a new one; nullptr when the source does not
    // open (GDAL's error is left for the caller's capture).
    GDALDatasetUniquePtr Take();
    // Back to the idle handles. The caller has cleared the filters it put on
    // the handle's layers.
    void Give(GDALDatasetUniquePtr dataset);

    // Handles opened so far, idle or not (for tests of the pool).
    std::size_t Opened() const;

private:
    struct FileStamp {
        std::string path;
        long long modified = 0;
        long long size = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct Idle {
        GDALDatasetUniquePtr dataset;
        std::vector<FileStamp> stamps;
    };
    static std::vector<FileStamp> StampsOf(GDALDataset& dataset);
    static std::vector<FileStamp> Restamp(const std::vector<FileStamp>& stamps);

    std::string path_;
    std::vector<std::string> options_;
    mutable std::mutex mutex_;
    std::vector<Idle> idle_;
    // The stamps of the handles that are out, taken when each was opened.
    std::map<const GDALDataset*, std::vector<FileStamp>> out_;
    std::size_t opened_ = 0;
};

}  // namespace platform
