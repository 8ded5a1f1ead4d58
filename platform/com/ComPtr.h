#pragma once
#include "platform/com/Unknown.h"

#include <cstddef>
#include <type_traits>
#include <utility>

namespace platform {

// Holds one counted reference to a COM object and releases it.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Borrows `p`: takes a reference of its own.
    explicit ComPtr(T* p) noexcept : p_(p) {
        if (p_ != nullptr) p_->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    ComPtr(ComPtr<U> other) noexcept : p_(other.Detach()) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    // Takes over a reference the caller already holds (a fresh object, an out value).
    static ComPtr Adopt(T* p) noexcept {
        ComPtr held;
        held.p_ = p;
        return held;
    }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // Gives up the reference without releasing it.
    T* Detach() noexcept { return std::exchange(p_, nullptr); }

    void Reset() noexcept {
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }

    // Releases what is held and returns the slot for an out parameter, as
    // QueryInterface and CreateInstance fill it.
    void** PutVoid() noexcept {
        Reset();
        return reinterpret_cast<void**>(&p_);
    }

    // The same object through interface U (QueryInterface), or null when it does not
    // expose U.
    template <class U>
    ComPtr<U> As() const noexcept {
        ComPtr<U> other;
        if (p_ != nullptr) p_->QueryInterface(U::Iid, other.PutVoid());
        return other;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.p_ == b.p_; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) noexcept { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};

// Whether two references name the same object: their IUnknown pointers agree.
template <class A, class B>
bool SameObject(const ComPtr<A>& a, const ComPtr<B>& b) noexcept {
    return a.template As<IUnknown>().Get() == b.template As<IUnknown>().Get();
}

}  // namespace platform
