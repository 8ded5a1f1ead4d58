#pragma once
#include "platform/com/Unknown.h"

namespace platform {

// Makes the objects of one class for a client of the server.
class IClassFactory : public IUnknown {
public:
    static constexpr IID Iid = MakeGuid("{00000001-0000-0000-C000-000000000046}");

    // A new object, handed out through `iid`. No aggregation: a non-null `outer`
    // fails with CLASS_E_NOAGGREGATION.
    virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** out) = 0;
    // While locked, the server's DllCanUnloadNow answers S_FALSE.
    virtual HRESULT LockServer(bool lock) = 0;
};

}  // namespace platform
