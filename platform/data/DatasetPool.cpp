#include "platform/data/DatasetPool.h"

#include <filesystem>
#include <utility>

namespace platform {

namespace {

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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        while (!idle_.empty()) {
            Idle idle = std::move(idle_.back());
            idle_.pop_back();
            // A file rewritten under an open handle would be read half old, half new.
            if (Restamp(idle.stamps) == idle.stamps) {
                out_[idle.dataset.get()] = std::move(idle.stamps);
                return std::move(idle.dataset);
            }
        }
    }
    std::vector<const char*> list;
    for (const auto& option : options_) list.push_back(option.c_str());
    list.push_back(nullptr);
    GDALDatasetUniquePtr dataset(
        GDALDataset::Open(path_.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, list.data(), nullptr));
    if (dataset) {
        std::vector<FileStamp> stamps = StampsOf(*dataset);
        std::lock_guard<std::mutex> lock(mutex_);
        out_[dataset.get()] = std::move(stamps);
        ++opened_;
    }
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

std::vector<DatasetPool::FileStamp> DatasetPool::StampsOf(GDALDataset& dataset) {
    std::vector<FileStamp> stamps;
    char** files = dataset.GetFileList();
    for (char** file = files; file != nullptr && *file != nullptr; ++file) stamps.push_back({*file});
    CSLDestroy(files);
    return Restamp(stamps);
}

std::vector<DatasetPool::FileStamp> DatasetPool::Restamp(const std::vector<FileStamp>& stamps) {
    std::vector<FileStamp> fresh;
    for (const auto& stamp : stamps) {
        std::error_code ec;
        FileStamp now{stamp.path, -1, -1};
        const auto modified = std::filesystem::last_write_time(stamp.path, ec);
        if (!ec) now.modified = static_cast<long long>(modified.time_since_epoch().count());
        const auto size = std::filesystem::file_size(stamp.path, ec);
        if (!ec) now.size = static_cast<long long>(size);
        fresh.push_back(std::move(now));
    }
    return fresh;
}

}  // namespace platform
