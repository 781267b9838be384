// Owners of COM interface pointers and BSTRs: each reference is released exactly once, on every path.
#pragma once

#include <windows.h>

#include <oleauto.h>
#include <unknwn.h>

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
class UniqueBstr {
  public:
    UniqueBstr() = default;
    explicit UniqueBstr(BSTR text) : text_(text) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& other) noexcept : text_(other.release()) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueBstr() { reset(); }

    BSTR get() const { return text_; }
    explicit operator bool() const { return text_ != nullptr; }
    BSTR release() { return std::exchange(text_, nullptr); }
    void reset(BSTR text = nullptr) {
        if (text_) SysFreeString(text_);
        text_ = text;
    }
    BSTR* receive() {
        reset();
        return &text_;
    }
    // Bytes carried, not characters.
    UINT byteLength() const { return SysStringByteLen(text_); }

  private:
    BSTR text_ = nullptr;
};

}  // namespace pelmora::com
