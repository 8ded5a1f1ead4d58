#include "platform/com/server/Accumulator.h"

#include "platform/com/InprocServer.h"

namespace {

class Accumulator final : public platform::ComObject<IAccumulator> {
public:
    platform::HRESULT Add(std::int32_t amount) override {
        total_ += amount;
        return platform::S_OK;
    }
    std::int32_t Total() override { return total_; }

private:
    friend class platform::ClassFactory<Accumulator>;
    Accumulator() = default;

    std::int32_t total_ = 0;
};

const platform::ClassEntry kClasses[] = {
    platform::ClassEntryOf<Accumulator>(kAccumulatorClsid, kAccumulatorProgId),
};

}  // namespace

extern "C" platform::HRESULT DllGetClassObject(const platform::CLSID& clsid, const platform::IID& iid,
                                               void** out) {
    return platform::ServerGetClassObject(kClasses, clsid, iid, out);
}

extern "C" platform::HRESULT DllCanUnloadNow() {
    return platform::ServerCanUnloadNow();
}

extern "C" platform::HRESULT DllRegisterServer() {
    return platform::ServerRegister(kClasses);
}

extern "C" platform::HRESULT DllUnregisterServer() {
    return platform::ServerUnregister(kClasses);
}
