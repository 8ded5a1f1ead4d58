#pragma once
#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"
#include "platform/com/EntryGuard.h"
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/ModuleState.h"

#include <span>
#include <string>

// The four entry points an in-process server library exports, found by name with
// dlsym (declared visible here, so they stay exported under -fvisibility=hidden).
// A server implements each in one line with the helpers below:
//
//   const platform::ClassEntry kClasses[] = {
//       platform::ClassEntryOf<OpenTable>(kOpenTableClsid, "TessalyOpenTable.OpenTable"),
//       ...
//   };
//   extern "C" platform::HRESULT DllGetClassObject(const platform::CLSID& clsid,
//                                                  const platform::IID& iid, void** out) {
//       return platform::ServerGetClassObject(kClasses, clsid, iid, out);
//   }
//   extern "C" platform::HRESULT DllCanUnloadNow() { return platform::ServerCanUnloadNow(); }
//   extern "C" platform::HRESULT DllRegisterServer() { return platform::ServerRegister(kClasses); }
//   extern "C" platform::HRESULT DllUnregisterServer() { return platform::ServerUnregister(kClasses); }
extern "C" {
// The class factory of `clsid`, through `iid` (normally IClassFactory);
// CLASS_E_CLASSNOTAVAILABLE for a class the library does not have.
[[gnu::visibility("default")]] platform::HRESULT DllGetClassObject(const platform::CLSID& clsid,
                                                                  const platform::IID& iid, void** out);
// S_OK when none of the library's objects is alive and no factory is locked, else S_FALSE.
[[gnu::visibility("default")]] platform::HRESULT DllCanUnloadNow();
// Enters every class in the registry (below); SELFREG_E_CLASS when that fails.
[[gnu::visibility("default")]] platform::HRESULT DllRegisterServer();
// Removes what DllRegisterServer entered; keys already gone are no failure.
[[gnu::visibility("default")]] platform::HRESULT DllUnregisterServer();
}

namespace platform {

// One creatable class of a server: its CLSID, its ProgID and its factory.
struct ClassEntry {
    CLSID clsid;
    const char* progId;
    ComPtr<IClassFactory> (*factory)();
};

template <class T>
constexpr ClassEntry ClassEntryOf(const CLSID& clsid, const char* progId) {
    return ClassEntry{clsid, progId, &ClassFactory<T>::Instance};
}

// Registry entries written for each class, all under HKEY_CLASSES_ROOT:
//   <ProgID>\CLSID                       default value "{CLSID}"
//   CLSID\{CLSID}\InprocServer32         default value the library's absolute path
//   CLSID\{CLSID}\ProgID                 default value "<ProgID>"
// Registering again overwrites them; unregistering deletes the <ProgID> and
// CLSID\{CLSID} keys whole.
HRESULT RegisterClasses(std::span<const ClassEntry> classes, const std::string& libraryPath);
HRESULT UnregisterClasses(std::span<const ClassEntry> classes);

HRESULT GetClassObjectFrom(std::span<const ClassEntry> classes, const CLSID& clsid, const IID& iid,
                           void** out);

// The absolute path of the loaded library (or program) that holds `address`;
// empty when none does.
std::string ModulePathOf(const void* address);

// The rest are compiled into the server itself (hidden), so that "this module" is
// the server and not the platform library.

[[gnu::visibility("hidden")]] inline std::string ThisModulePath() {
    return ModulePathOf(reinterpret_cast<const void*>(&ThisModulePath));
}

[[gnu::visibility("hidden")]] inline HRESULT ServerGetClassObject(std::span<const ClassEntry> classes,
                                                                 const CLSID& clsid, const IID& iid,
                                                                 void** out) {
    return GetClassObjectFrom(classes, clsid, iid, out);
}

[[gnu::visibility("hidden")]] inline HRESULT ServerCanUnloadNow() {
    return module::CanUnloadNow();
}

// Registration and unregistration are each one change of the registry file:
// all of it or, on failure, none (the file stays as it was).
[[gnu::visibility("hidden")]] inline HRESULT ServerRegister(std::span<const ClassEntry> classes) {
    return GuardedCall([&] {
        const std::string path = ThisModulePath();
        return path.empty() ? SELFREG_E_CLASS : RegisterClasses(classes, path);
    });
}

[[gnu::visibility("hidden")]] inline HRESULT ServerUnregister(std::span<const ClassEntry> classes) {
    return GuardedCall([&] { return UnregisterClasses(classes); });
}

}  // namespace platform
