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

    // A handle of one's own: an idle one when the files under it are still the
    // ones it was opened on, else a new one; nullptr when the source does not
    // open (GDAL's error is left for the caller's capture). The files are
    // stamped before they are opened, so a change during the opening makes the
    // handle look stale, never a stale handle look current.
    GDALDatasetUniquePtr Take();
    // Back to the idle handles. The caller has cleared the filters it put on
    // the handle's layers.
    void Give(GDALDatasetUniquePtr dataset);

    // Handles opened so far, idle or not (for tests of the pool).
    std::size_t Opened() const;

private:
    // One file as a handle saw it. A file replaced by rename keeps its size
    // and may keep its times, but not its inode; an SQLite database written by
    // another connection changes its change counter or its write-ahead log.
    struct FileStamp {
        std::string path;
        bool exists = false;
        unsigned long long device = 0;
        unsigned long long inode = 0;
        long long size = 0;
        long long modifiedNs = 0;
        long long changedNs = 0;
        // The bytes of an SQLite header that change with each commit.
        std::string content;
        bool operator==(const FileStamp&) const = default;
    };
    struct Idle {
        GDALDatasetUniquePtr dataset;
        std::vector<FileStamp> stamps;
    };
    static FileStamp Stamp(const std::string& path);
    static std::vector<FileStamp> Restamp(const std::vector<FileStamp>& stamps);
    // The files under the source: those the openings listed (`listed`), the
    // source itself when it is a file, and an SQLite database's write-ahead log.
    std::vector<std::string> KnownFiles(std::vector<std::string> listed) const;

    std::string path_;
    std::vector<std::string> options_;
    mutable std::mutex mutex_;
    std::vector<std::string> files_;
    std::vector<Idle> idle_;
    // The stamps of the handles that are out, taken when each was opened.
    std::map<const GDALDataset*, std::vector<FileStamp>> out_;
    std::size_t opened_ = 0;
};

}  // namespace platform
