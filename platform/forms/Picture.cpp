#include "platform/forms/Picture.h"

#include <map>
#include <mutex>

namespace platform {
namespace {

struct HandleTable {
    std::mutex mutex;
    std::map<OLE_HANDLE, std::shared_ptr<const Bitmap>> pictures;
    OLE_HANDLE last = 0;
};

HandleTable& Handles() {
    static HandleTable table;
    return table;
}

}  // namespace

StdPicture::StdPicture(Bitmap bitmap) : pixels_(std::make_shared<const Bitmap>(std::move(bitmap))) {
    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    // Handles are never reused, so a stale one finds nothing rather than another picture.
    handle_ = ++table.last;
    table.pictures.emplace(handle_, pixels_);
}

StdPicture::~StdPicture() {
    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    table.pictures.erase(handle_);
}

std::shared_ptr<const Bitmap> BitmapFromHandle(OLE_HANDLE handle) {
    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    const auto found = table.pictures.find(handle);
    return found == table.pictures.end() ? nullptr : found->second;
}

}  // namespace platform
