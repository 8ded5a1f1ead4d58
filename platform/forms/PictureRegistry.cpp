#include "platform/forms/PictureRegistry.h"

#include <map>
#include <mutex>

#include "platform/com/ComError.h"

namespace platform {
namespace {

struct Registry {
    // The handle table is made first so that it is destroyed after the pictures
    // held here, whose destruction removes their handles from it.
    Registry() { BitmapFromHandle(0); }

    std::mutex mutex;
    std::map<std::string, std::shared_ptr<const StdPicture>, std::less<>> pictures;
};

Registry& Pictures() {
    static Registry registry;
    return registry;
}

bool WellFormed(const Bitmap& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0) return false;
    const auto count = static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height);
    return pixels.rgb.size() == count * 3 && (pixels.alpha.empty() || pixels.alpha.size() == count);
}

}  // namespace

void RegisterPicture(const std::string& name, Bitmap pixels) {
    if (name.empty() || !WellFormed(pixels)) throw RuntimeError(vberr::InvalidCall, "RegisterPicture");
    auto picture = std::make_shared<const StdPicture>(std::move(pixels));
    Registry& registry = Pictures();
    std::lock_guard lock(registry.mutex);
    registry.pictures.insert_or_assign(name, std::move(picture));
}

std::shared_ptr<const StdPicture> FindPicture(const std::string& name) {
    Registry& registry = Pictures();
    std::lock_guard lock(registry.mutex);
    const auto found = registry.pictures.find(name);
    return found == registry.pictures.end() ? nullptr : found->second;
}

}  // namespace platform
