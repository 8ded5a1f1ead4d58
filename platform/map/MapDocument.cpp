#include "platform/map/MapDocument.h"

#include <algorithm>
#include <filesystem>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/DocumentFile.h"
#include "platform/map/HostServices.h"
#include "platform/map/LayerJson.h"

namespace platform {

MapDocument::MapDocument(std::shared_ptr<platform::CommandBars> commandBars)
    : commandBars_(commandBars ? std::move(commandBars) : std::make_shared<platform::CommandBars>()) {
    for (const char* name : {"Display", "Source", "Selection"})
        views_.push_back(std::make_shared<platform::ContentsView>(name));
    current_ = views_.front();
    focus_ = std::make_shared<Map>("Layers");
    maps_->Add(focus_);
}

std::shared_ptr<MapDocument> MapDocument::Load(const std::string& path,
                                               std::shared_ptr<platform::CommandBars> commandBars) {
    return LoadDocument(path, std::move(commandBars));
}

void MapDocument::Save(const std::string& path) {
    SaveDocument(*this, path);
    filePath_ = layerjson::AbsolutePath(path);
}

std::shared_ptr<Map> MapDocument::FocusMap() const {
    if (focus_ && maps_->Contains(*focus_)) return focus_;
    return maps_->Count() > 0 ? maps_->Item(0) : nullptr;
}

void MapDocument::ActiveView(const std::shared_ptr<platform::ActiveView>& view) {
    auto map = std::dynamic_pointer_cast<Map>(view);
    if (!map || !maps_->Contains(*map))
        throw ComError(E_INVALIDARG, "MapDocument", "Only a map of this document can be activated.");
    focus_ = std::move(map);
}

void MapDocument::AddLayer(const std::shared_ptr<Layer>& layer) { FocusMap()->AddLayer(layer); }

void MapDocument::CurrentContentsView(const std::shared_ptr<platform::ContentsView>& view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end())
        throw ComError(E_INVALIDARG, "MapDocument", "The contents view is not one of this document's.");
    current_ = view;
}

const std::shared_ptr<platform::ContentsView>& MapDocument::ContentsView(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= views_.size())
        throw ComError(E_INVALIDARG, "MapDocument", "The index is outside the contents views.");
    return views_[static_cast<std::size_t>(index)];
}

void MapDocument::UpdateContents() { Host().ContentsUpdated(*this); }

}  // namespace platform
