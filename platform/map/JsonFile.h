#pragma once
#include <string>

#include <nlohmann/json.hpp>

namespace platform::jsonfile {

// Reads a JSON file whose "format" member must be `format`. A missing or
// unreadable file, bad JSON or another format raises ComError E_FAIL with `what`
// (such as "map document") in its description.
nlohmann::json Read(const std::string& path, const std::string& format, const std::string& what);
// Writes it whole (through a temporary file and a rename); failure raises
// ComError E_FAIL.
void Write(const std::string& path, const nlohmann::json& json, const std::string& what);

}  // namespace platform::jsonfile
