#pragma once
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"

#include <cstdint>

namespace platform {

// The root of every interface that crosses the in-process server boundary. An
// interface is a pure abstract class deriving directly from IUnknown, with its
// identifier beside it as `static constexpr IID Iid`.
//
// QueryInterface hands out a counted reference (AddRef done) or sets *out to nullptr
// and fails with E_NOINTERFACE (E_POINTER for a null `out`). Asking for IUnknown
// always gives the same pointer for one object: that is its identity. Release
// destroys the object when the last reference goes; nobody deletes one directly.
class IUnknown {
public:
    static constexpr IID Iid = MakeGuid("{00000000-0000-0000-C000-000000000046}");

    virtual HRESULT QueryInterface(const IID& iid, void** out) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

}  // namespace platform
