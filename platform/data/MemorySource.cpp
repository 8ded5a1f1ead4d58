#include "platform/data/MemorySource.h"

#include "platform/com/Hresult.h"
#include "platform/data/GdalSource.h"
#include "platform/data/GdalSupport.h"

namespace platform {

std::shared_ptr<SourceTable> OpenMemoryLayer(std::shared_ptr<GDALDataset> dataset, const std::string& layerName) {
    if (!dataset) throw DataError(E_POINTER, "No dataset");
    OGRLayer* layer = layerName.empty() ? dataset->GetLayer(0) : dataset->GetLayerByName(layerName.c_str());
    if (layer == nullptr) throw DataError(E_FAIL, "No table " + layerName + " in the dataset");
    auto impl = std::make_unique<SourceTable::Impl>();
    impl->path = dataset->GetDescription();
    impl->memory = std::move(dataset);
    impl->Describe(*impl->memory, *layer);
    return std::make_shared<SourceTable>(std::move(impl));
}

}  // namespace platform
