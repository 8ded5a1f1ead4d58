#pragma once
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/EntryGuard.h"
#include "platform/com/IClassFactory.h"
#include "platform/com/ModuleState.h"

#include <utility>

namespace platform {

// The class factory of T, and the one place where T is constructed: T keeps its
// constructors private and names ClassFactory<T> a friend.
template <class T>
class ClassFactory final : public ComObject<IClassFactory> {
public:
    // A new T holding the one reference. For code inside the server and for tests;
    // clients go through CreateInstance.
    template <class... Args>
    static ComPtr<T> CreateObject(Args&&... args) {
        return ComPtr<T>::Adopt(new T(std::forward<Args>(args)...));
    }

    // A new factory object, held once.
    static ComPtr<IClassFactory> Instance() {
        return ComPtr<IClassFactory>::Adopt(new ClassFactory());
    }

    HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        // The fresh reference is dropped on the way out, so an object whose
        // interface was refused is destroyed at once.
        return GuardedCall([&] { return CreateObject()->QueryInterface(iid, out); });
    }

    HRESULT LockServer(bool lock) override {
        lock ? module::Lock() : module::Unlock();
        return S_OK;
    }

private:
    ClassFactory() = default;
};

}  // namespace platform
