#pragma once
#include "platform/com/ModuleState.h"
#include "platform/com/Unknown.h"

#include <atomic>
#include <cstdint>

namespace platform {

// The IUnknown part of a COM class: the reference count, destruction at the last
// Release, and QueryInterface over the interfaces listed, so a class writes only its
// own members:
//
//   class OpenTable final : public ComObject<ICommand, _OpenTable> {
//       friend class ClassFactory<OpenTable>;   // the only way to construct one
//       OpenTable() = default;
//       ...
//   };
//
// Each listed interface derives directly from IUnknown and carries its `Iid`; the
// first one stands for the object's IUnknown identity. An object starts with one
// reference, which its creator adopts (ClassFactory<T>::CreateObject), and counts in
// its module's live objects until it is destroyed.
template <class First, class... Rest>
class ComObject : public First, public Rest... {
public:
    HRESULT QueryInterface(const IID& iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (iid == IUnknown::Iid) {
            *out = static_cast<IUnknown*>(static_cast<First*>(this));
        } else if (iid == First::Iid) {
            *out = static_cast<First*>(this);
        } else {
            (void)((iid == Rest::Iid && (*out = static_cast<Rest*>(this), true)) || ...);
        }
        if (*out == nullptr) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    std::uint32_t AddRef() override { return ++references_; }

    std::uint32_t Release() override {
        const std::uint32_t left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

protected:
    // Hidden, like the counts they touch, so an object always counts in the module
    // that built it.
    [[gnu::visibility("hidden")]] ComObject() noexcept { module::ObjectCreated(); }
    [[gnu::visibility("hidden")]] ~ComObject() override { module::ObjectDestroyed(); }

private:
    std::atomic<std::uint32_t> references_{1};
};

}  // namespace platform
