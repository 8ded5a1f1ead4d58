#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/map/CommandBars.h"
#include "platform/map/HostObject.h"
#include "platform/map/MapDocument.h"
#include "platform/map/StatusBar.h"
#include "platform/map/Templates.h"

namespace platform {

// The host application: its open map document, status bar, templates, main
// window handle and command bars. Each Application is a host of its own; the
// desktop host makes one, and every test can make a fresh one.
class Application : public HostObject {
public:
    // Starts with a new, unsaved document.
    Application();

    // The open document (seen as Document or MapDocument alike).
    const std::shared_ptr<MapDocument>& Document() const { return document_; }
    // Opens a .tmd document in place of the open one; a document that cannot be
    // read raises ComError and leaves the open one in place.
    void OpenDocument(const std::string& path);
    void NewDocument();
    // Saves the open document to path, or to its own file when path is "";
    // a document that never had a file then raises ComError E_FAIL.
    void SaveDocument(const std::string& path = {});

    const std::shared_ptr<platform::StatusBar>& StatusBar() const { return statusBar_; }
    // The normal template, then the open document's full path when it has one.
    std::shared_ptr<platform::Templates> Templates() const;
    // The main window's handle, the parent of the host's modal dialogs; 0 until
    // a user interface gives one.
    std::int64_t hWnd() const { return hWnd_; }
    void hWnd(std::int64_t handle) { hWnd_ = handle; }
    // Shared by every document the application opens.
    const std::shared_ptr<platform::CommandBars>& CommandBars() const { return commandBars_; }

private:
    std::shared_ptr<platform::CommandBars> commandBars_ = std::make_shared<platform::CommandBars>();
    std::shared_ptr<MapDocument> document_;
    std::shared_ptr<platform::StatusBar> statusBar_ = std::make_shared<platform::StatusBar>();
    std::int64_t hWnd_ = 0;
};

}  // namespace platform
