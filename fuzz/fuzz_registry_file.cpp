// The registry calls over a registry file of any content: every call returns
// a result code, and a damaged file is never overwritten.
#include <cstdlib>

#include "FuzzSupport.h"
#include "platform/registry/Registry.h"

using namespace platform;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TESSALY_REGISTRY", (fuzzsupport::Folder() + "/registry.json").c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzsupport::WriteInput("registry.json", data, size);
    const std::string before = fuzzsupport::ReadAll(path);
    HKEY key = nullptr;
    char buffer[256];
    std::uint32_t length = sizeof buffer;
    std::uint32_t type = 0;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\ESRI\\ArcCatalog\\Settings", KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueEx(key, "LastSaveToLocation", &type, nullptr, &length);
        length = sizeof buffer;
        RegQueryValueEx(key, "LastSaveToLocation", &type, buffer, &length);
        RegCloseKey(key);
    }
    const long created = RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Tessaly\\Fuzz", KEY_ALL_ACCESS, &key);
    if (created == ERROR_BADDB && fuzzsupport::ReadAll(path) != before) std::abort();  // a damaged file was overwritten
    if (created == ERROR_SUCCESS) {
        const std::uint32_t number = 7;
        RegSetValueEx(key, "Number", REG_DWORD, &number, sizeof number);
        RegSetValueEx(key, "Text", REG_SZ, "x", 2);
        RegDeleteValue(key, "Number");
        RegCloseKey(key);
    }
    RegDeleteTree(HKEY_CURRENT_USER, "Software\\Tessaly");
    RegDeleteTree(HKEY_LOCAL_MACHINE, "");
    return 0;
}
