#pragma once
#include <string>

#include "platform/data/Envelope.h"
#include "platform/data/SpatialReference.h"
#include "platform/map/HostObject.h"

namespace platform {

// A layer of a map: a feature layer, or a group layer holding further layers.
class Layer : public HostObject {
public:
    // The name shown in the table of contents.
    virtual std::string Name() const { return name_; }
    virtual void Name(std::string name) { name_ = std::move(name); }
    // The layer's data can be reached (a group layer: always).
    virtual bool Valid() const = 0;
    // The layer's own coordinate system; unknown when it has none.
    virtual platform::SpatialReference SpatialReference() const = 0;
    // The extent of what the layer shows, in its own spatial reference; empty
    // when it shows nothing.
    virtual Envelope AreaOfInterest() const = 0;

protected:
    explicit Layer(std::string name) : name_(std::move(name)) {}

private:
    std::string name_;
};

}  // namespace platform
