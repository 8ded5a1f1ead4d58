#include "platform/map/TableWindow.h"

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/HostServices.h"
#include "platform/map/StandaloneTable.h"

namespace platform {

std::shared_ptr<TableWindow> TableWindow::FindViaLayer(const std::shared_ptr<platform::Layer>& layer, bool) const {
    return layer ? Host().FindTableWindow(*layer) : nullptr;
}

std::shared_ptr<TableWindow> TableWindow::FindViaStandaloneTable(
    const std::shared_ptr<platform::StandaloneTable>& table) const {
    return table ? Host().FindTableWindow(*table) : nullptr;
}

void TableWindow::Layer(const std::shared_ptr<platform::Layer>& layer) {
    auto feature = std::dynamic_pointer_cast<FeatureLayer>(layer);
    if (layer && !feature) throw ComError(E_INVALIDARG, "TableWindow", "Only a feature layer has a table window.");
    layer_ = std::move(feature);
    if (layer_) table_.reset();
}

void TableWindow::StandaloneTable(std::shared_ptr<platform::StandaloneTable> table) {
    table_ = std::move(table);
    if (table_) layer_.reset();
}

std::shared_ptr<HostObject> TableWindow::Target() const {
    if (layer_) return layer_;
    return table_;
}

void TableWindow::Show(bool show) {
    if (!show) {
        if (open_ && visible_) visible_ = false;
        return;
    }
    if (open_) {
        visible_ = true;
        Host().TableWindowShown(*this);
        return;
    }
    const auto target = Target();
    if (!target) throw ComError(E_FAIL, "TableWindow", "The table window has no layer or table to show.");
    if ((layer_ && !layer_->Valid()) || (table_ && !table_->Valid()))
        throw ComError(E_FAIL, "TableWindow", "The data of the table window cannot be opened.");
    if (auto open = Host().FindTableWindow(*target)) {
        open->Show(true);
        return;
    }
    auto self = weak_from_this().lock();
    if (!self) throw ComError(E_FAIL, "TableWindow", "A table window must be held by a shared pointer.");
    open_ = true;
    visible_ = true;
    Host().Register(self);
    Host().TableWindowShown(*this);
}

void TableWindow::Close() {
    if (!open_) return;
    auto keep = weak_from_this().lock();  // the host's reference may be the last one
    open_ = false;
    visible_ = false;
    Host().Unregister(*this);
    Host().TableWindowClosed(*this);
}

}  // namespace platform
