#include "src/quickload_media/TextFilePicker.h"

#include <memory>

#include "platform/com/ComError.h"
#include "platform/map/Application.h"
#include "platform/map/CatalogDialog.h"
#include "platform/map/CatalogObjects.h"

namespace tessaly {

std::optional<std::string> PickTextFile(const platform::Application& application,
                                        const std::string& startingLocation, const std::string& title) {
    auto dialog = std::make_shared<platform::CatalogDialog>();
    dialog->AllowMultiSelect(false);
    dialog->StartingLocation(startingLocation);
    dialog->Title(title);
    dialog->ObjectFilter(std::make_shared<platform::TextFileFilter>());
    std::shared_ptr<platform::EnumCatalogObject> picked;
    if (!dialog->DoModalOpen(application.hWnd(), picked)) return std::nullopt;
    const auto first = picked->Next();
    if (!first) throw platform::RuntimeError(platform::vberr::ObjectNotSet);
    return first->FullName();
}

}  // namespace tessaly
