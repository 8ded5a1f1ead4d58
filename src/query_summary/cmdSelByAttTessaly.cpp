#include "src/query_summary/cmdSelByAttTessaly.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/ComError.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/Map.h"
#include "platform/map/StandaloneTable.h"
#include "platform/map/VariantArray.h"
#include "src/core/ObjectRequired.h"
#include "src/query_summary/tessaly_ModQueryDialog.h"

namespace tessaly {
namespace {

// The candidate list holds 5001 names at most.
constexpr std::size_t kMaxCandidates = 5001;

struct Candidates {
    std::shared_ptr<platform::VariantArray> objects = std::make_shared<platform::VariantArray>();
    std::vector<std::string> names;
    std::int16_t selected = -1;

    void Add(const std::shared_ptr<platform::HostObject>& object, const std::string& name,
             const std::shared_ptr<platform::HostObject>& selectedItem) {
        if (names.size() >= kMaxCandidates) throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
        objects->Add(object);
        names.push_back(name);
        if (selectedItem && selectedItem == object) selected = static_cast<std::int16_t>(names.size() - 1);
    }
};

}  // namespace

cmdSelByAttTessaly::~cmdSelByAttTessaly() {
    Guarded(Procedure{"Class_Terminate", info::cmdSelByAttTessaly.module}, [&] {
        if (dialog_) {
            dialog_->Unload();
            dialog_.reset();
        }
    });
}

void cmdSelByAttTessaly::Created() { dialog_ = std::make_shared<tessaly_ModQueryDialog>(); }

void cmdSelByAttTessaly::Click() {
    platform::MapDocument& document = ObjectRequired(m_pMxDoc);
    // No contents-view test here: any selected feature layer or table counts.
    auto selectedItem = document.SelectedItem();
    if (!std::dynamic_pointer_cast<platform::FeatureLayer>(selectedItem) &&
        !std::dynamic_pointer_cast<platform::StandaloneTable>(selectedItem))
        selectedItem.reset();

    Candidates candidates;
    const auto focusMap = document.FocusMap();
    const platform::Map& map = ObjectRequired(focusMap);
    if (map.LayerCount() > 0) {
        const auto layers = map.Layers(nullptr, true);
        ObjectRequired(layers).Reset();
        while (const auto layer = layers->Next()) {
            if (std::dynamic_pointer_cast<platform::FeatureLayer>(layer) && layer->Valid())
                candidates.Add(layer, layer->Name(), selectedItem);
        }
    }
    for (std::int32_t i = 0; i < map.StandaloneTableCount(); ++i) {
        const auto table = map.StandaloneTable(i);
        if (ObjectRequired(table).Valid()) candidates.Add(table, table->Name(), selectedItem);
    }

    if (!dialog_) dialog_ = std::make_shared<tessaly_ModQueryDialog>();
    tessaly_ModQueryDialog& dialog = *dialog_;
    dialog.ArcApplication(m_pApp);
    dialog.theLayerArray(candidates.objects);
    dialog.theCurrentSelected(candidates.selected);
    dialog.theStringLayerNames(candidates.names);
    dialog.lbxThemes.Clear();
    for (const std::string& name : candidates.names) dialog.lbxThemes.AddItem(name);
    if (candidates.selected > -1) dialog.lbxThemes.SetListIndex(candidates.selected);
    dialog.EnableStatTableButtons();
    dialog.Show(platform::vbModal);
}

}  // namespace tessaly
