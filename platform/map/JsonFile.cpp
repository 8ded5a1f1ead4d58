#include "platform/map/JsonFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

namespace platform::jsonfile {

nlohmann::json Read(const std::string& path, const std::string& format, const std::string& what) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ComError(E_FAIL, what, "The " + what + " '" + path + "' cannot be opened.");
    std::stringstream text;
    text << in.rdbuf();
    nlohmann::json json = nlohmann::json::parse(text.str(), nullptr, false);
    if (json.is_discarded() || !json.is_object() || json.value("format", "") != format)
        throw ComError(E_FAIL, what, "The file '" + path + "' is not a " + what + ".");
    return json;
}

void Write(const std::string& path, const nlohmann::json& json, const std::string& what) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << json.dump(2) << '\n';
        if (!out.flush()) {
            std::remove(temporary.c_str());
            throw ComError(E_FAIL, what, "The " + what + " '" + path + "' cannot be written.");
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw ComError(E_FAIL, what, "The " + what + " '" + path + "' cannot be written.");
    }
}

}  // namespace platform::jsonfile
