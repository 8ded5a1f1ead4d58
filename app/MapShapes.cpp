#include "app/MapShapes.h"

#include <sys/mman.h>

#include <filesystem>

#include "platform/data/QueryFilter.h"
#include "platform/map/FeatureLayer.h"

namespace desktop {

void LayerShapes::Add(platform::ObjectId id, const platform::Geometry& shape) {
    ids.push_back(id);
    dimensions.push_back(static_cast<std::int8_t>(shape.Dimension()));
    for (const auto& part : shape.Parts()) {
        points.insert(points.end(), part.begin(), part.end());
        pointStart.push_back(static_cast<std::uint32_t>(points.size()));
    }
    partStart.push_back(static_cast<std::uint32_t>(pointStart.size() - 1));
}

ShapesKey KeyOf(platform::FeatureLayer& layer, const std::string& mapReference) {
    std::string data = layer.DataSourcePath() + "\n" + layer.DataLayerName() + "\n" + layer.DefinitionExpression();
    std::error_code unknown;
    const auto changed = std::filesystem::last_write_time(layer.DataSourcePath(), unknown);
    if (!unknown) data += "\n" + std::to_string(changed.time_since_epoch().count());
    return {&layer, std::move(data), mapReference};
}

ShapesReading::ShapesReading(const std::shared_ptr<platform::FeatureLayer>& layer,
                             platform::SpatialReference mapReference)
    : mapReference_(std::move(mapReference)) {
    platform::QueryFilter shapesOnly;
    shapesOnly.SubFields("Shape");
    cursor_ = layer->Search(&shapesOnly, true);
    // The arrays are laid out once, at their full size, before they fill.
    const auto rows = static_cast<std::size_t>(std::max<std::int64_t>(0, layer->RowCount(nullptr)));
    shapes_->ids.reserve(rows);
    shapes_->dimensions.reserve(rows);
    shapes_->partStart.reserve(rows + 1);
    shapes_->pointStart.reserve(rows + 1);
    shapes_->points.reserve(rows);
    AdviseHugePages(shapes_->ids.data(), rows * sizeof(platform::ObjectId));
    AdviseHugePages(shapes_->partStart.data(), rows * sizeof(std::uint32_t));
    AdviseHugePages(shapes_->pointStart.data(), rows * sizeof(std::uint32_t));
    AdviseHugePages(shapes_->points.data(), rows * sizeof(platform::Point2D));
}

bool ShapesReading::ReadFor(std::chrono::steady_clock::duration budget) {
    if (!cursor_) return true;
    const auto until = std::chrono::steady_clock::now() + budget;
    try {
        for (int n = 1;; ++n) {
            const auto row = cursor_->NextRow();
            if (!row) break;
            if (!row->Shape().IsEmpty()) shapes_->Add(row->OID(), row->Shape().Project(mapReference_));
            if (n % 256 == 0 && std::chrono::steady_clock::now() >= until) return false;
        }
    } catch (const std::exception&) {
        // Data that cannot be read are drawn as far as they were read; the table window tells why.
    }
    cursor_.reset();
    return true;
}

void AdviseHugePages(const void* data, std::size_t bytes) {
    constexpr std::uintptr_t kHugePage = 2u << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
    // Advice only: where the system does not take it, the array is as before.
    if (data != nullptr && last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace desktop
