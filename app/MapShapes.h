#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/Geometry.h"
#include "platform/data/Row.h"

namespace platform {
class Cursor;
class FeatureLayer;
}  // namespace platform

namespace desktop {

// The shapes of one layer in the map's coordinates, as flat arrays: a million
// points are three arrays, not a million small ones. Feature i has parts
// partStart[i] to partStart[i+1]-1; part j has points pointStart[j] to
// pointStart[j+1]-1.
struct LayerShapes {
    std::vector<platform::ObjectId> ids;
    std::vector<std::int8_t> dimensions;  // 0 points, 1 lines, 2 areas
    std::vector<std::uint32_t> partStart{0};
    std::vector<std::uint32_t> pointStart{0};
    std::vector<platform::Point2D> points;

    std::size_t Count() const { return ids.size(); }
    void Add(platform::ObjectId id, const platform::Geometry& shape);
};

// What the shapes read depend on: the layer object, its data (source, layer,
// definition expression, the file's time of change) and the map's coordinates.
struct ShapesKey {
    const platform::FeatureLayer* layer = nullptr;
    std::string data;
    std::string reference;
    bool operator==(const ShapesKey&) const = default;
};
ShapesKey KeyOf(platform::FeatureLayer& layer, const std::string& mapReference);

// Reads a layer's shapes a slice at a time, so the window answers in between.
class ShapesReading {
public:
    ShapesReading(const std::shared_ptr<platform::FeatureLayer>& layer, platform::SpatialReference mapReference);
    // Reads on until done or until `budget` has passed; true when done.
    // A reading error ends the reading with what was read.
    bool ReadFor(std::chrono::steady_clock::duration budget);
    std::shared_ptr<LayerShapes> Take() { return std::move(shapes_); }

private:
    platform::SpatialReference mapReference_;
    std::shared_ptr<platform::Cursor> cursor_;
    std::shared_ptr<LayerShapes> shapes_ = std::make_shared<LayerShapes>();
};

// Backs a large array that is about to be filled with transparent huge pages
// (where the system leaves that to the program), so filling it faults a
// fraction as often. Arrays smaller than a huge page are left alone.
void AdviseHugePages(const void* data, std::size_t bytes);

}  // namespace desktop
