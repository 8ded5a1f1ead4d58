#include "platform/map/Templates.h"

#include <cstdlib>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform {

const std::string& Templates::Item(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= paths_.size())
        throw ComError(E_INVALIDARG, "Templates", "The index is outside the templates.");
    return paths_[static_cast<std::size_t>(index)];
}

std::string NormalTemplatePath() {
    std::string folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folder = std::string(home) + "/.config";
    } else {
        folder = "/tmp";
    }
    return folder + "/tessaly/Normal.tmt";
}

}  // namespace platform
