#include "platform/com/ServerLoader.h"

#include "platform/com/ClassFactory.h"
#include "platform/registry/Registry.h"

#include <dlfcn.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace platform {

namespace {

using GetClassObjectEntry = HRESULT (*)(const CLSID&, const IID&, void**);
using SelfRegisterEntry = HRESULT (*)();

// The default value of HKEY_CLASSES_ROOT\<subKey>, when it is a text.
std::optional<std::string> ClassesRootText(const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, subKey, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (RegQueryValueEx(key, "", &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ && size > 0) {
        std::vector<char> buffer(size);
        if (RegQueryValueEx(key, "", &type, buffer.data(), &size) == ERROR_SUCCESS) {
            text.emplace(buffer.data(), size - 1);
        }
    }
    RegCloseKey(key);
    return text;
}

// Loads a library once per resolved path and keeps it for the life of the process,
// since objects it made may be alive anywhere.
HRESULT LoadLibrary(const std::string& path, void** handle) {
    static std::mutex mutex;
    static std::map<std::string, void*> loaded;

    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return CO_E_DLLNOTFOUND;
    }
    const std::string canonical(resolved);
    std::free(resolved);

    std::lock_guard guard(mutex);
    if (const auto it = loaded.find(canonical); it != loaded.end()) {
        *handle = it->second;
        return S_OK;
    }
    void* library = dlopen(canonical.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return CO_E_ERRORINDLL;
    }
    loaded.emplace(canonical, library);
    *handle = library;
    return S_OK;
}

template <class Entry>
HRESULT FindEntry(const std::string& libraryPath, const char* name, Entry* entry) {
    void* library = nullptr;
    if (const HRESULT hr = LoadLibrary(libraryPath, &library); FAILED(hr)) {
        return hr;
    }
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) {
        return CO_E_ERRORINDLL;
    }
    *entry = reinterpret_cast<Entry>(symbol);
    return S_OK;
}

HRESULT CallSelfRegistration(const std::string& libraryPath, const char* name) {
    SelfRegisterEntry entry = nullptr;
    if (const HRESULT hr = FindEntry(libraryPath, name, &entry); FAILED(hr)) {
        return hr;
    }
    return entry();
}

}  // namespace

HRESULT CLSIDFromProgID(const std::string& progId, CLSID* clsid) {
    if (clsid == nullptr) {
        return E_POINTER;
    }
    const auto text = ClassesRootText(progId + "\\CLSID");
    const auto parsed = text ? ParseGuid(*text) : std::nullopt;
    if (!parsed) {
        return REGDB_E_CLASSNOTREG;
    }
    *clsid = *parsed;
    return S_OK;
}

HRESULT GetClassObject(const CLSID& clsid, const IID& iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    const auto path = ClassesRootText("CLSID\\" + ToString(clsid) + "\\InprocServer32");
    if (!path || path->empty()) {
        return REGDB_E_CLASSNOTREG;
    }
    GetClassObjectEntry entry = nullptr;
    if (const HRESULT hr = FindEntry(*path, "DllGetClassObject", &entry); FAILED(hr)) {
        return hr;
    }
    return entry(clsid, iid, out);
}

HRESULT CreateInstanceByCLSID(const CLSID& clsid, const IID& iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    ComPtr<IClassFactory> factory;
    if (const HRESULT hr = GetClassObject(clsid, IClassFactory::Iid, factory.PutVoid()); FAILED(hr)) {
        return hr;
    }
    return factory->CreateInstance(nullptr, iid, out);
}

HRESULT CreateInstanceByProgID(const std::string& progId, const IID& iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    CLSID clsid;
    if (const HRESULT hr = CLSIDFromProgID(progId, &clsid); FAILED(hr)) {
        return hr;
    }
    return CreateInstanceByCLSID(clsid, iid, out);
}

HRESULT RegisterServer(const std::string& libraryPath) {
    return CallSelfRegistration(libraryPath, "DllRegisterServer");
}

HRESULT UnregisterServer(const std::string& libraryPath) {
    return CallSelfRegistration(libraryPath, "DllUnregisterServer");
}

}  // namespace platform
