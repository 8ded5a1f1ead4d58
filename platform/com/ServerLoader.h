#pragma once
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/IClassFactory.h"

#include <string>

// The client side of in-process servers: finding a class in the registry, loading
// its library and asking it for objects, as the host does.
//
// A class is found through HKEY_CLASSES_ROOT: <ProgID>\CLSID gives the CLSID, and
// CLSID\{CLSID}\InprocServer32 the library's path. A library is loaded once per
// path (dlopen) and stays loaded for the life of the process. Failures:
//   REGDB_E_CLASSNOTREG        no such ProgID or CLSID in the registry, or no library path
//   CO_E_DLLNOTFOUND           the library file is not there
//   CO_E_ERRORINDLL            it does not load, or lacks the entry point
//   CLASS_E_CLASSNOTAVAILABLE  the library does not have the class
//   E_NOINTERFACE              the object does not expose the interface asked for
// and whatever the library's own entry points return.
namespace platform {

HRESULT CLSIDFromProgID(const std::string& progId, CLSID* clsid);

// The class factory (or other class object) of `clsid`, through `iid`.
HRESULT GetClassObject(const CLSID& clsid, const IID& iid, void** out);

// A new object of the class, through `iid`; *out is nullptr on failure.
HRESULT CreateInstanceByCLSID(const CLSID& clsid, const IID& iid, void** out);
HRESULT CreateInstanceByProgID(const std::string& progId, const IID& iid, void** out);

// Loads the library at `libraryPath` and calls its DllRegisterServer or
// DllUnregisterServer, returning what it returns.
HRESULT RegisterServer(const std::string& libraryPath);
HRESULT UnregisterServer(const std::string& libraryPath);

// The same creations for code that reports failures as exceptions: they throw
// ComError with the HRESULT as its number and the ProgID or CLSID as its source.
template <class T>
ComPtr<T> CreateInstance(const CLSID& clsid) {
    ComPtr<T> object;
    if (const HRESULT hr = CreateInstanceByCLSID(clsid, T::Iid, object.PutVoid()); FAILED(hr)) {
        throw HresultError(hr, ToString(clsid));
    }
    return object;
}

template <class T>
ComPtr<T> CreateInstanceByProgID(const std::string& progId) {
    ComPtr<T> object;
    if (const HRESULT hr = CreateInstanceByProgID(progId, T::Iid, object.PutVoid()); FAILED(hr)) {
        throw HresultError(hr, progId);
    }
    return object;
}

}  // namespace platform
