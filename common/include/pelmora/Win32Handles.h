// Owners of Win32 handles: each closes its handle exactly once, on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace pelmora {

// Traits give the handle type, its "no handle" value and how it is closed.
template <class Traits>
class UniqueHandle {
    using Handle = typename Traits::Handle;

  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) {
        if (handle_ != Traits::invalid()) Traits::close(handle_);
        handle_ = handle;
    }
    // For functions that return a handle through an output argument; any handle held is closed first.
    Handle* receive() {
        reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::invalid();
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    static void close(Handle key) { RegCloseKey(key); }
};
// Events, threads, processes, mutexes: null when absent.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { CloseHandle(handle); }
};
// Files: INVALID_HANDLE_VALUE when absent.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};
struct LibraryTraits {
    using Handle = HMODULE;
    static Handle invalid() { return nullptr; }
    static void close(Handle module) { FreeLibrary(module); }
};

// Device contexts of CreateCompatibleDC or CreateDC.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static void close(Handle dc) { DeleteDC(dc); }
};
// The screen's DC, from GetDC(NULL).
struct ScreenDcTraits {
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static void close(Handle dc) { ReleaseDC(nullptr, dc); }
};
// Bitmaps, pens, brushes, fonts: whatever DeleteObject frees.
template <class GdiHandle>
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle invalid() { return nullptr; }
    static void close(Handle object) { DeleteObject(object); }
};

using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using LibraryModule = UniqueHandle<LibraryTraits>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using ScreenDc = UniqueHandle<ScreenDcTraits>;
using GdiBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;

// An object selected into a device context; what was selected before goes back in on every path, which
// takes this object out again.
class GdiSelection {
  public:
    GdiSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    GdiSelection(const GdiSelection&) = delete;
    GdiSelection& operator=(const GdiSelection&) = delete;
    ~GdiSelection() { restore(); }

    bool succeeded() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }
    // Puts the earlier object back now; the object that came out (the one selected here), or null when the
    // selection had failed or was already undone.
    HGDIOBJ restore() {
        if (!succeeded()) return nullptr;
        return SelectObject(dc_, std::exchange(previous_, nullptr));
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace pelmora
