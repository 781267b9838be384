// Owners of COM interface pointers and BSTRs: each reference is released exactly once, on every path.
#pragma once

#include <windows.h>

#include <oleauto.h>
#include <unknwn.h>

#include <pelmora/Win32Handles.h>

#include <utility>

namespace pelmora::com {

template <class Interface>
class ComPtr {
  public:
    ComPtr() = default;
    // Adopts a reference the caller already holds.
    static ComPtr adopt(Interface* pointer) {
        ComPtr owner;
        owner.pointer_ = pointer;
        return owner;
    }
    ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
        if (pointer_) pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void reset() {
        if (auto* old = std::exchange(pointer_, nullptr)) old->Release();
    }
    Interface* release() { return std::exchange(pointer_, nullptr); }
    // For functions that return a reference through an output argument; a reference held is released first.
    Interface** receive() {
        reset();
        return &pointer_;
    }
    void** receiveVoid() { return reinterpret_cast<void**>(receive()); }

  private:
    Interface* pointer_ = nullptr;
};

// A BSTR that this side owns and frees.
struct BstrTraits {
    using Handle = BSTR;
    static Handle invalid() { return nullptr; }
    static void close(Handle text) { SysFreeString(text); }
};
using UniqueBstr = UniqueHandle<BstrTraits>;

}  // namespace pelmora::com
