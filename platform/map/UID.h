#pragma once
#include <string>

#include "platform/map/HostObject.h"

namespace platform {

// A host UID object: holds a GUID text that names a type of layer (the filter
// of Map::Layers) or a command (CommandBars::Find).
class UID : public HostObject {
public:
    UID() = default;
    explicit UID(std::string value) : value_(std::move(value)) {}

    const std::string& Value() const { return value_; }
    void Value(std::string value) { value_ = std::move(value); }

private:
    std::string value_;
};

// Type identifiers that select feature layers in Map::Layers: the host's
// feature-layer type UID and the FeatureLayer interface identifier.
inline constexpr const char* FeatureLayerTypeUID = "{E156D7E5-22AF-11D3-9F99-00C04F6BC78E}";
inline constexpr const char* FeatureLayerInterfaceUID = "{40A9E885-5533-11D0-98BE-00805F7CED21}";

// The host's own commands that CommandBars::Find knows.
inline constexpr const char* StatisticsCommandUID = "{3E58D6D0-DF7A-11D1-ADD9-080009EC732A}";
inline constexpr const char* SelectByLocationCommandUID = "{82B9951B-DD63-11D1-AA7F-00C04FA37860}";
inline constexpr const char* SelectByAttributesCommandUID = "{54EBEEE6-DC82-11D1-AA7F-00C04FA37860}";

}  // namespace platform
