#pragma once
#include <memory>

namespace platform {
class Application;
class FeatureLayer;
class HostObject;
class StandaloneTable;
}  // namespace platform

namespace tessaly {

// Brings up the open attribute table window of the layer or table, or opens a
// new one for it as a window of `application`. No validity test: callers that
// refuse invalid data do so first. Host failures pass to the caller. The host
// keeps the window; nothing here holds on to it.
void OpenAttributeTableWindow(const std::shared_ptr<platform::FeatureLayer>& layer,
                              const std::shared_ptr<platform::Application>& application);
void OpenAttributeTableWindow(const std::shared_ptr<platform::StandaloneTable>& table,
                              const std::shared_ptr<platform::Application>& application);
// A feature layer or a standalone table as above; any other object: nothing.
void OpenAttributeTableWindow(const std::shared_ptr<platform::HostObject>& layerOrTable,
                              const std::shared_ptr<platform::Application>& application);

}  // namespace tessaly
