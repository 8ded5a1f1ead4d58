#include "platform/com/InprocServer.h"

#include "platform/com/EntryGuard.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFile.h"

#include <dlfcn.h>

#include <cstdlib>

namespace platform {

namespace {

long SetDefaultText(const std::string& subKey, const std::string& text) {
    HKEY key = nullptr;
    long status = RegCreateKeyEx(HKEY_CLASSES_ROOT, subKey, KEY_ALL_ACCESS, &key);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    status = RegSetValueEx(key, "", REG_SZ, text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
    RegCloseKey(key);
    return status;
}

std::string ClassKey(const CLSID& clsid) {
    return "CLSID\\" + ToString(clsid);
}

// Runs the registry calls of `body` as one change: no other program writes the
// file meanwhile, and when `body` fails (or throws) the file is put back as it
// was, so a half registration never stays behind.
template <class Body>
HRESULT AsOneChange(Body&& body) {
    registryfile::Hold hold(true);
    const registryfile::Snapshot before = registryfile::Take();
    const HRESULT result = GuardedCall(std::forward<Body>(body));
    if (FAILED(result) && !registryfile::Restore(before)) {
        return SELFREG_E_CLASS;
    }
    return result;
}

}  // namespace

HRESULT RegisterClasses(std::span<const ClassEntry> classes, const std::string& libraryPath) {
    return AsOneChange([&]() -> HRESULT {
        for (const ClassEntry& entry : classes) {
            const std::string clsid = ToString(entry.clsid);
            if (SetDefaultText(std::string(entry.progId) + "\\CLSID", clsid) != ERROR_SUCCESS ||
                SetDefaultText(ClassKey(entry.clsid) + "\\InprocServer32", libraryPath) != ERROR_SUCCESS ||
                SetDefaultText(ClassKey(entry.clsid) + "\\ProgID", entry.progId) != ERROR_SUCCESS) {
                return SELFREG_E_CLASS;
            }
        }
        return S_OK;
    });
}

HRESULT UnregisterClasses(std::span<const ClassEntry> classes) {
    return AsOneChange([&]() -> HRESULT {
        HRESULT result = S_OK;
        for (const ClassEntry& entry : classes) {
            for (const std::string& subKey : {std::string(entry.progId), ClassKey(entry.clsid)}) {
                const long status = RegDeleteTree(HKEY_CLASSES_ROOT, subKey);
                if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
                    result = SELFREG_E_CLASS;
                }
            }
        }
        return result;
    });
}

HRESULT GetClassObjectFrom(std::span<const ClassEntry> classes, const CLSID& clsid, const IID& iid,
                           void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    for (const ClassEntry& entry : classes) {
        if (entry.clsid == clsid) {
            return GuardedCall([&] { return entry.factory()->QueryInterface(iid, out); });
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

std::string ModulePathOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr || *info.dli_fname == '\0') {
        return {};
    }
    char* resolved = realpath(info.dli_fname, nullptr);
    if (resolved == nullptr) {
        return {};
    }
    std::string path(resolved);
    std::free(resolved);
    return path;
}

}  // namespace platform
