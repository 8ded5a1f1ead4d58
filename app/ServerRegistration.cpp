#include "app/ServerRegistration.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/com/ComError.h"
#include "platform/com/Guid.h"
#include "platform/com/ServerLoader.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFile.h"

namespace fs = std::filesystem;

namespace desktop {

namespace {
std::string Canonical(const std::string& path) {
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(path), error);
    return error ? path : resolved.generic_string();
}

// The default value of HKEY_CLASSES_ROOT\<subKey>, or "".
std::string DefaultValue(const std::string& subKey) {
    platform::HKEY key = nullptr;
    if (platform::RegOpenKeyEx(platform::HKEY_CLASSES_ROOT, subKey, platform::KEY_READ, &key) !=
        platform::ERROR_SUCCESS)
        return {};
    std::string text(1024, '\0');
    std::uint32_t size = static_cast<std::uint32_t>(text.size());
    std::uint32_t type = 0;
    const long result = platform::RegQueryValueEx(key, "", &type, text.data(), &size);
    platform::RegCloseKey(key);
    if (result != platform::ERROR_SUCCESS || type != platform::REG_SZ) return {};
    text.resize(size > 0 ? size - 1 : 0);
    return text;
}

// A member of a registry file key, case-insensitively, as the registry compares names.
const platform::registryfile::Document* Member(const platform::registryfile::Document& key, const char* section,
                                               const std::string& name) {
    const auto found = key.find(section);
    if (found == key.end() || !found->is_object()) return nullptr;
    for (const auto& [member, value] : found->items()) {
        if (member.size() == name.size() &&
            std::equal(member.begin(), member.end(), name.begin(),
                       [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
            return &value;
    }
    return nullptr;
}
}  // namespace

std::string LibraryBesideProgram(const std::string& programFolder) {
    return (fs::path(programFolder) / "libTessalyOpenTable.so").generic_string();
}

void EnsureRegistered(const std::string& progId, const std::string& libraryPath) {
    platform::CLSID clsid{};
    if (platform::CLSIDFromProgID(progId, &clsid) == platform::S_OK) {
        const std::string registered =
            DefaultValue("CLSID\\" + platform::ToString(clsid) + "\\InprocServer32");
        if (!registered.empty() && Canonical(registered) == Canonical(libraryPath)) return;
    }
    if (const platform::HRESULT hr = RegisterLibrary(libraryPath); platform::FAILED(hr))
        throw platform::HresultError(hr, libraryPath);
}

platform::HRESULT RegisterLibrary(const std::string& libraryPath) {
    return platform::RegisterServer(Canonical(libraryPath));
}

platform::HRESULT UnregisterLibrary(const std::string& libraryPath) {
    return platform::UnregisterServer(Canonical(libraryPath));
}

std::vector<std::string> RegisteredProgIDs(const std::string& libraryPath) {
    std::vector<std::string> progIds;
    const auto registry = platform::registryfile::Load();
    if (!registry) return progIds;
    const auto* root = registry->contains("HKEY_CLASSES_ROOT") ? &(*registry)["HKEY_CLASSES_ROOT"] : nullptr;
    const auto* classes = root ? Member(*root, "keys", "CLSID") : nullptr;
    if (!classes) return progIds;
    const auto found = classes->find("keys");
    if (found == classes->end() || !found->is_object()) return progIds;
    const std::string wanted = Canonical(libraryPath);
    for (const auto& [clsid, entry] : found->items()) {
        const std::string server = DefaultValue("CLSID\\" + clsid + "\\InprocServer32");
        const std::string progId = DefaultValue("CLSID\\" + clsid + "\\ProgID");
        if (!server.empty() && !progId.empty() && Canonical(server) == wanted) progIds.push_back(progId);
    }
    return progIds;
}

}  // namespace desktop
