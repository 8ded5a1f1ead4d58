#include "platform/map/CatalogDialog.h"

#include <vector>

#include "platform/map/HostServices.h"

namespace platform {

namespace {
std::shared_ptr<CatalogObject> MakeObject(const std::string& path) {
    if (LayerFileFilter().CanDisplayObject(path)) return std::make_shared<CatalogLayer>(path);
    return std::make_shared<CatalogFile>(path);
}
}  // namespace

bool CatalogDialog::DoModalOpen(std::int64_t, std::shared_ptr<EnumCatalogObject>& selection) {
    std::vector<std::string> picked;
    if (!Host().ShowCatalogOpen(*this, picked)) return false;
    std::vector<std::shared_ptr<CatalogObject>> objects;
    for (const auto& path : picked) {
        if (path.empty() || (filter_ && !filter_->CanDisplayObject(path))) continue;
        objects.push_back(MakeObject(path));
        if (!allowMultiSelect_) break;
    }
    if (objects.empty()) return false;
    selection = std::make_shared<EnumCatalogObject>(std::move(objects));
    return true;
}

bool CatalogDialog::DoModalSave(std::int64_t) {
    std::string folder;
    std::string name;
    if (!Host().ShowCatalogSave(*this, folder, name) || name.empty()) return false;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    // A name typed without its ending gets the filter's, as the file will have it.
    if (filter_ && !filter_->CanDisplayObject(name) && !filter_->Extensions().empty())
        name += filter_->Extensions().front();
    finalLocation_ = std::make_shared<CatalogFile>(folder);
    name_ = std::move(name);
    return true;
}

}  // namespace platform
