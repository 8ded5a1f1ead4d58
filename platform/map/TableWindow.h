#pragma once
#include <cstdint>
#include <memory>

#include "platform/map/HostObject.h"

namespace platform {

class Application;
class FeatureLayer;
class Layer;
class StandaloneTable;

// The host's attribute table window of one feature layer or standalone table
// (the TableWindow, TableWindowLayer and TableWindowTable views in one
// object). Callers create a window object afresh for each use: to find the
// open window of a layer or table, or to set one up and show it. The open
// windows are kept by the installed host services, not by callers; at most
// one is open per layer or table.
class TableWindow : public HostObject, public std::enable_shared_from_this<TableWindow> {
public:
    // The open window of the layer (or of the table), or null. The flag is
    // accepted and does not change the search.
    std::shared_ptr<TableWindow> FindViaLayer(const std::shared_ptr<platform::Layer>& layer, bool flag) const;
    std::shared_ptr<TableWindow> FindViaStandaloneTable(
        const std::shared_ptr<platform::StandaloneTable>& table) const;

    const std::shared_ptr<FeatureLayer>& Layer() const { return layer_; }
    // A layer that is not a feature layer raises ComError E_INVALIDARG.
    void Layer(const std::shared_ptr<platform::Layer>& layer);
    const std::shared_ptr<platform::StandaloneTable>& StandaloneTable() const { return table_; }
    void StandaloneTable(std::shared_ptr<platform::StandaloneTable> table);
    const std::shared_ptr<platform::Application>& Application() const { return application_; }
    void Application(std::shared_ptr<platform::Application> application) { application_ = std::move(application); }
    std::int32_t Option() const { return option_; }
    void Option(std::int32_t option) { option_ = option; }
    bool Flag() const { return flag_; }
    void Flag(bool flag) { flag_ = flag; }
    bool Flag2() const { return flag2_; }
    void Flag2(bool flag) { flag2_ = flag; }

    // Show(true) opens the window, or brings it up again when it is open.
    // When another window of the same layer or table is already open, that one
    // is brought up instead, so no layer or table gets two. A window without a
    // layer or table, or with one whose data did not open, raises ComError
    // E_FAIL. Show(false) hides an open window and leaves it open.
    void Show(bool show);
    bool IsVisible() const { return visible_; }
    bool IsOpen() const { return open_; }
    // Closes an open window (the user's close, or the system's); closing a
    // window that is not open does nothing.
    void Close();

    // The layer or table the window shows (null before one is set).
    std::shared_ptr<HostObject> Target() const;
    // True when this window belongs to that layer or table.
    bool Shows(const HostObject& layerOrTable) const { return Target().get() == &layerOrTable; }

private:
    std::shared_ptr<FeatureLayer> layer_;
    std::shared_ptr<platform::StandaloneTable> table_;
    std::shared_ptr<platform::Application> application_;
    std::int32_t option_ = 0;
    bool flag_ = false;
    bool flag2_ = false;
    bool visible_ = false;
    bool open_ = false;
};

}  // namespace platform
