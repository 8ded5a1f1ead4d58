#include "platform/map/CatalogObjects.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/LayerFile.h"

namespace platform {

std::string CatalogObject::Name() const {
    std::string full = FullName();
    while (full.size() > 1 && full.back() == '/') full.pop_back();
    const auto slash = full.find_last_of('/');
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

void CatalogLayer::Path(std::string path) {
    CatalogFile::Path(std::move(path));
    layer_.reset();
}

std::shared_ptr<platform::Layer> CatalogLayer::Layer() {
    if (layer_) return layer_;
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(Path(), ignored))
        throw ComError(E_FAIL, "CatalogLayer", "The layer file '" + Path() + "' does not exist.");
    try {
        layer_ = LoadLayerFile(Path());
    } catch (const ComError&) {
        layer_ = FeatureLayer::Open(std::filesystem::path(Path()).stem().string(), "");
    }
    return layer_;
}

bool CatalogObjectFilter::CanDisplayObject(const std::string& path) const {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const auto& extension : Extensions())
        if (lower.size() >= extension.size() && lower.ends_with(extension)) return true;
    return false;
}

}  // namespace platform
