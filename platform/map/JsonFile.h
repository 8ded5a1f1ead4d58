#pragma once
#include <functional>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

namespace platform::jsonfile {

// What the member readers below raise for a member of the wrong JSON type;
// Read turns it into its ComError.
class Malformed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the JSON file at `path` whose "format" member must be the text
// `format`, and hands it to `build`. A missing or unreadable file, bad JSON,
// another format, and a Malformed or JSON type error out of `build` all raise
// ComError E_FAIL saying the file is not a `what` (such as "map document").
// Other ComErrors from `build` pass through.
void Read(const std::string& path, const std::string& format, const std::string& what,
          const std::function<void(const nlohmann::json&)>& build);

// Writes it whole (wholefile::Replace); failure, a text that is not valid
// UTF-8 included, raises ComError E_FAIL and leaves the old file as it was.
void Write(const std::string& path, const nlohmann::json& json, const std::string& what);

// Typed members of a JSON object. Each gives the fallback when the member is
// absent and raises Malformed when it has another type; `object` itself must
// be an object (else Malformed). None copies a member.
const nlohmann::json& Object(const nlohmann::json& value, const char* what);
std::string Text(const nlohmann::json& object, const char* name, const std::string& fallback);
bool Flag(const nlohmann::json& object, const char* name, bool fallback);
// An array member, or an empty array when absent.
const nlohmann::json& List(const nlohmann::json& object, const char* name);
// A number (any JSON number) as a double.
double Number(const nlohmann::json& value, const char* what);
// A whole number member; a fraction, or one beyond `int`, raises Malformed.
int Whole(const nlohmann::json& object, const char* name, int fallback);

}  // namespace platform::jsonfile
