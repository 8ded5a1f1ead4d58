#include "platform/data/QueryFilter.h"

#include "platform/data/TextCompare.h"

namespace platform {

std::vector<std::string> QueryFilter::SubFieldList() const {
    std::vector<std::string> names;
    std::string_view rest = subFields_;
    while (true) {
        const auto comma = rest.find(',');
        const std::string_view name = TrimBlanks(rest.substr(0, comma));
        if (name == "*") return {};
        if (!name.empty()) names.emplace_back(name);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return names;
}

}  // namespace platform
