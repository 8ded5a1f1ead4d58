#pragma once
#include "platform/com/Unknown.h"

#include <cstdint>

// The one class of the test server library, as its clients see it.
class IAccumulator : public platform::IUnknown {
public:
    static constexpr platform::IID Iid = platform::MakeGuid("{6B0F3C1E-2A4D-4E59-9C71-3D8A5B2E7F10}");

    virtual platform::HRESULT Add(std::int32_t amount) = 0;
    virtual std::int32_t Total() = 0;
};

inline constexpr platform::CLSID kAccumulatorClsid = platform::MakeGuid("{A3C5E7F9-1B2D-4F60-8E4A-6C9B0D1E2F37}");
inline constexpr const char* kAccumulatorProgId = "TessalyTest.Accumulator";
inline constexpr const char* kTestServerLibrary = "libtessaly_test_server.so";
