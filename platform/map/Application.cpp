#include "platform/map/Application.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform {

Application::Application() : document_(std::make_shared<MapDocument>(commandBars_)) {}

void Application::OpenDocument(const std::string& path) { document_ = MapDocument::Load(path, commandBars_); }

void Application::NewDocument() { document_ = std::make_shared<MapDocument>(commandBars_); }

void Application::SaveDocument(const std::string& path) {
    const std::string target = path.empty() ? document_->FilePath() : path;
    if (target.empty()) throw ComError(E_FAIL, "Application", "The document has no file to save to.");
    document_->Save(target);
}

std::shared_ptr<platform::Templates> Application::Templates() const {
    std::vector<std::string> paths{NormalTemplatePath()};
    if (!document_->FilePath().empty()) paths.push_back(document_->FilePath());
    return std::make_shared<platform::Templates>(std::move(paths));
}

}  // namespace platform
