#include "platform/map/JsonFile.h"

#include <fstream>
#include <limits>
#include <sstream>

#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"
#include "platform/registry/WholeFile.h"

using nlohmann::json;

namespace platform::jsonfile {

namespace {

// The member `name` when present; Malformed unless `matches` it.
const json* Find(const json& object, const char* name, bool (json::*matches)() const noexcept,
                 const char* kind) {
    const auto member = Object(object, "an entry").find(name);
    if (member == object.end()) return nullptr;
    if (!((*member).*matches)()) throw Malformed(std::string("\"") + name + "\" is not " + kind + ".");
    return &*member;
}

}  // namespace

void Read(const std::string& path, const std::string& format, const std::string& what,
          const std::function<void(const json&)>& build) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ComError(E_FAIL, what, "The " + what + " '" + path + "' cannot be opened.");
    std::stringstream text;
    text << in.rdbuf();
    const json file = json::parse(text.str(), nullptr, false);
    const std::string notOne = "The file '" + path + "' is not a " + what;
    try {
        if (file.is_discarded() || !file.is_object() || Text(file, "format", "") != format)
            throw ComError(E_FAIL, what, notOne + ".");
        build(file);
    } catch (const Malformed& error) {
        throw ComError(E_FAIL, what, notOne + ": " + error.what());
    } catch (const json::exception& error) {
        throw ComError(E_FAIL, what, notOne + ": " + error.what());
    }
}

void Write(const std::string& path, const json& json, const std::string& what) {
    std::string text;
    try {
        text = json.dump(2) + "\n";
    } catch (const nlohmann::json::exception&) {
        throw ComError(E_FAIL, what,
                       "The " + what + " '" + path + "' cannot be written: a text in it is not valid UTF-8.");
    }
    if (!wholefile::Replace(path, text))
        throw ComError(E_FAIL, what, "The " + what + " '" + path + "' cannot be written.");
}

const json& Object(const json& value, const char* what) {
    if (!value.is_object()) throw Malformed(std::string(what) + " is not an object.");
    return value;
}

std::string Text(const json& object, const char* name, const std::string& fallback) {
    const json* member = Find(object, name, &json::is_string, "a text");
    return member ? member->get_ref<const std::string&>() : fallback;
}

bool Flag(const json& object, const char* name, bool fallback) {
    const json* member = Find(object, name, &json::is_boolean, "true or false");
    return member ? member->get<bool>() : fallback;
}

const json& List(const json& object, const char* name) {
    static const json empty = json::array();
    const json* member = Find(object, name, &json::is_array, "a list");
    return member ? *member : empty;
}

double Number(const json& value, const char* what) {
    if (!value.is_number()) throw Malformed(std::string(what) + " is not a number.");
    return value.get<double>();
}

int Whole(const json& object, const char* name, int fallback) {
    const json* member = Find(object, name, &json::is_number_integer, "a whole number");
    if (!member) return fallback;
    if (member->is_number_unsigned()) {
        if (member->get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
            throw Malformed(std::string("\"") + name + "\" is out of range.");
    } else {
        const auto number = member->get<std::int64_t>();
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            throw Malformed(std::string("\"") + name + "\" is out of range.");
    }
    return static_cast<int>(member->get<std::int64_t>());
}

}  // namespace platform::jsonfile
