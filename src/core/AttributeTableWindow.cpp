#include "src/core/AttributeTableWindow.h"

#include "platform/map/Application.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/TableWindow.h"

namespace tessaly {

// The values 2, true and false mean something to the host only; they are
// passed as the host expects them, in this order.
void OpenAttributeTableWindow(const std::shared_ptr<platform::FeatureLayer>& layer,
                              const std::shared_ptr<platform::Application>& application) {
    const auto finder = std::make_shared<platform::TableWindow>();
    if (const auto open = finder->FindViaLayer(layer, false)) {
        open->Show(true);
        return;
    }
    const auto window = std::make_shared<platform::TableWindow>();
    window->Layer(layer);
    window->Application(application);
    window->Option(2);
    window->Flag(true);
    window->Show(true);
}

void OpenAttributeTableWindow(const std::shared_ptr<platform::StandaloneTable>& table,
                              const std::shared_ptr<platform::Application>& application) {
    const auto window = std::make_shared<platform::TableWindow>();
    if (const auto open = window->FindViaStandaloneTable(table)) {
        open->Show(true);
        return;
    }
    window->StandaloneTable(table);
    window->Application(application);
    window->Option(2);
    window->Flag(true);
    window->Flag2(false);
    window->Show(true);
}

void OpenAttributeTableWindow(const std::shared_ptr<platform::HostObject>& layerOrTable,
                              const std::shared_ptr<platform::Application>& application) {
    if (auto layer = std::dynamic_pointer_cast<platform::FeatureLayer>(layerOrTable))
        OpenAttributeTableWindow(layer, application);
    else if (auto table = std::dynamic_pointer_cast<platform::StandaloneTable>(layerOrTable))
        OpenAttributeTableWindow(table, application);
}

}  // namespace tessaly
