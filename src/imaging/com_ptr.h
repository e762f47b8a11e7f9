// A small owner for COM interface pointers (picture objects, streams).
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace imaging {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to `p`.
    static ComPtr Share(T* p) {
        if (p) p->AddRef();
        return ComPtr(p, true);
    }
    // Adopts a reference the caller already owns.
    static ComPtr Adopt(T* p) { return ComPtr(p, true); }

    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    template <class U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> out;
        if (p_) p_->QueryInterface(iid, out.put_void());
        return out;
    }

private:
    ComPtr(T* p, bool) : p_(p) {}
    T* p_ = nullptr;
};

}  // namespace imaging
