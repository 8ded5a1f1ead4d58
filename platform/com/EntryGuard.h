#pragma once
#include "platform/com/ComError.h"
#include "platform/com/Hresult.h"

#include <new>

namespace platform {

// The exception firewall of an entry point called across the library boundary:
// runs `body` (which returns an HRESULT) and turns anything it throws into a failure
// code, so no exception leaves the module. A ComError gives its own number when that
// is a failure code, else E_FAIL.
template <class Body>
HRESULT GuardedCall(Body&& body) noexcept {
    try {
        return body();
    } catch (const ComError& error) {
        return FAILED(error.Number()) ? error.Number() : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace platform
