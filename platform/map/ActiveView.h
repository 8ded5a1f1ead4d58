#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/data/Envelope.h"
#include "platform/map/HostObject.h"

namespace platform {

// Where a view is looking: the rectangle of map coordinates it shows.
class DisplayTransformation : public HostObject {
public:
    // `fullExtent` answers while no bounds were set; the owner passes its map's.
    explicit DisplayTransformation(std::function<Envelope()> fullExtent,
                                   std::function<SpatialReference()> spatialReference);

    // The rectangle shown: the bounds set last, in the map's current spatial
    // reference; until set (or after setting an empty one), the full extent.
    Envelope VisibleBounds() const;
    // Bounds without a spatial reference are taken as map coordinates.
    void VisibleBounds(const Envelope& bounds);

private:
    std::function<Envelope()> fullExtent_;
    std::function<SpatialReference()> spatialReference_;
    Envelope bounds_;
};

class ScreenDisplay : public HostObject {
public:
    explicit ScreenDisplay(std::shared_ptr<platform::DisplayTransformation> transformation)
        : transformation_(std::move(transformation)) {}
    const std::shared_ptr<platform::DisplayTransformation>& DisplayTransformation() const { return transformation_; }

private:
    std::shared_ptr<platform::DisplayTransformation> transformation_;
};

// The host's ActiveView view of a map: what it shows and its redraws. A redraw
// is handed to the installed host services; the phase, data and area of a
// partial refresh are passed on as given (data and area may be null).
class ActiveView {
public:
    virtual ~ActiveView() = default;
    // The visible rectangle (the screen display's visible bounds).
    virtual Envelope Extent() const = 0;
    virtual void Extent(const Envelope& extent) = 0;
    // The rectangle around everything the map shows.
    virtual Envelope FullExtent() const = 0;
    virtual std::shared_ptr<platform::ScreenDisplay> ScreenDisplay() const = 0;
    virtual void Refresh() = 0;
    virtual void PartialRefresh(std::int32_t phase, const std::shared_ptr<HostObject>& data,
                                const Envelope* area) = 0;
};

}  // namespace platform
