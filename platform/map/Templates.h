#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/map/HostObject.h"

namespace platform {

// The templates an application's document is based on, 0-based: the normal
// template first and, once the document has a file, its full path last.
class Templates : public HostObject {
public:
    explicit Templates(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    std::int32_t Count() const { return static_cast<std::int32_t>(paths_.size()); }
    // Raises ComError E_INVALIDARG for an index outside 0 to Count - 1.
    const std::string& Item(std::int32_t index) const;

private:
    std::vector<std::string> paths_;
};

// The normal template's full path: tessaly/Normal.tmt in the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config). It need not exist.
std::string NormalTemplatePath();

}  // namespace platform
