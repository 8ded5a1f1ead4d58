#include "platform/data/DatasetPool.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Up to `count` bytes at `offset`; fewer or none when the file is shorter or unreadable.
std::string ReadBytes(const std::string& path, off_t offset, std::size_t count) {
    std::string bytes(count, '\0');
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    const ssize_t got = ::pread(fd, bytes.data(), count, offset);
    ::close(fd);
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

bool IsSqliteFile(const std::string& path) {
    static constexpr char kMagic[] = "SQLite format 3";  // with its closing NUL: 16 bytes
    return ReadBytes(path, 0, sizeof kMagic) == std::string(kMagic, sizeof kMagic);
}

using PoolKey = std::pair<std::string, std::vector<std::string>>;

// Pools are shared by the tables that hold them; this index only finds the
// live ones and never keeps one alive.
std::mutex& IndexMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<PoolKey, std::weak_ptr<DatasetPool>>& Index() {
    static std::map<PoolKey, std::weak_ptr<DatasetPool>> index;
    return index;
}

}  // namespace

std::shared_ptr<DatasetPool> DatasetPool::For(const std::string& path, const std::vector<std::string>& options) {
    std::lock_guard<std::mutex> lock(IndexMutex());
    auto& index = Index();
    for (auto it = index.begin(); it != index.end();) it = it->second.expired() ? index.erase(it) : std::next(it);
    PoolKey key{path, options};
    if (auto pool = index[key].lock()) return pool;
    auto pool = std::make_shared<DatasetPool>(path, options);
    index[key] = pool;
    return pool;
}

DatasetPool::DatasetPool(std::string path, std::vector<std::string> options)
    : path_(std::move(path)), options_(std::move(options)) {}

DatasetPool::~DatasetPool() = default;

GDALDatasetUniquePtr DatasetPool::Take() {
    std::vector<std::string> known;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        while (!idle_.empty()) {
            Idle idle = std::move(idle_.back());
            idle_.pop_back();
            // A file changed or replaced under an open handle would be read
            // half old, half new, or not at all.
            if (Restamp(idle.stamps) == idle.stamps) {
                out_[idle.dataset.get()] = std::move(idle.stamps);
                return std::move(idle.dataset);
            }
        }
        known = files_;
    }
    known = KnownFiles(std::move(known));
    std::vector<FileStamp> stamps;
    for (const auto& file : known) stamps.push_back(Stamp(file));
    std::vector<const char*> list;
    for (const auto& option : options_) list.push_back(option.c_str());
    list.push_back(nullptr);
    GDALDatasetUniquePtr dataset(
        GDALDataset::Open(path_.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, list.data(), nullptr));
    if (!dataset) return dataset;
    // Files this opening found first (a shapefile's .dbf on the pool's first
    // opening) can only be stamped now.
    char** files = dataset->GetFileList();
    std::lock_guard<std::mutex> lock(mutex_);
    for (char** file = files; file != nullptr && *file != nullptr; ++file) {
        if (std::find(files_.begin(), files_.end(), *file) != files_.end()) continue;
        files_.emplace_back(*file);
        if (std::find(known.begin(), known.end(), *file) == known.end()) stamps.push_back(Stamp(*file));
    }
    CSLDestroy(files);
    out_[dataset.get()] = std::move(stamps);
    ++opened_;
    return dataset;
}

void DatasetPool::Give(GDALDatasetUniquePtr dataset) {
    if (!dataset) return;
    std::lock_guard<std::mutex> lock(mutex_);
    auto out = out_.find(dataset.get());
    if (out == out_.end()) return;  // not one of ours: it closes here
    std::vector<FileStamp> stamps = std::move(out->second);
    out_.erase(out);
    if (idle_.size() < kIdleLimit) idle_.push_back({std::move(dataset), std::move(stamps)});
}

std::size_t DatasetPool::Opened() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return opened_;
}

std::vector<std::string> DatasetPool::KnownFiles(std::vector<std::string> listed) const {
    struct stat info {};
    if (::stat(path_.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        if (std::find(listed.begin(), listed.end(), path_) == listed.end()) listed.push_back(path_);
        if (IsSqliteFile(path_)) listed.push_back(path_ + "-wal");
    }
    return listed;
}

DatasetPool::FileStamp DatasetPool::Stamp(const std::string& path) {
    FileStamp stamp;
    stamp.path = path;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
    stamp.changedNs = info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec;
    // A commit within one tick of the clock may keep the size and the times:
    // SQLite's header says it all the same (the database's change counter,
    // the log's checkpoint number and salts).
    if (path.ends_with("-wal")) {
        stamp.content = ReadBytes(path, 12, 12);
        // SQLite gives the log its database's owner whenever a connection
        // opens it, readers' included: its ctime tells nothing.
        stamp.changedNs = 0;
    } else if (IsSqliteFile(path)) {
        stamp.content = ReadBytes(path, 24, 4);
    }
    return stamp;
}

std::vector<DatasetPool::FileStamp> DatasetPool::Restamp(const std::vector<FileStamp>& stamps) {
    std::vector<FileStamp> fresh;
    fresh.reserve(stamps.size());
    for (const auto& stamp : stamps) fresh.push_back(Stamp(stamp.path));
    return fresh;
}

}  // namespace platform
